pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.Models

// A titled list of related processes; a click on a row selects that process.
Column {
    id: root
    property string title
    property ProcessListModel processes

    signal selected(int pid)

    spacing: 6

    ProcessRelationTitle {
        objectName: root.objectName + ".title"
        width: parent.width
        text: root.title
    }
    Repeater {
        model: root.processes
        delegate: Item {
            id: row
            required property int pid
            required property string name
            required property string user
            required property string cpuText
            required property var bundlePath
            readonly property int key: pid
            objectName: "processes.relation.row"
            width: root.width
            implicitHeight: rowName.implicitHeight + 10
            Accessible.role: Accessible.Button
            Accessible.name: row.name
            Accessible.onPressAction: ButtonPress.act(row, () => root.selected(row.pid))

            Rectangle {
                anchors.fill: parent
                radius: 6
                color: VDS.withOpacity(VDS.C.bg3, 0.6)
            }
            ProcessIcon {
                id: rowIcon
                anchors.verticalCenter: parent.verticalCenter
                x: 8
                size: 16
                user: row.user
                bundlePath: row.bundlePath ?? ""
            }
            VelkNameText {
                id: rowName
                // The row carries it as its name.
                Accessible.ignored: true
                anchors.verticalCenter: parent.verticalCenter
                x: rowIcon.x + rowIcon.width + 8
                width: rowCpu.x - x - 8
                name: row.name
                font: VDS.font(11.5, Font.Medium)
                color: VDS.C.text1
            }
            VelkText {
                id: rowCpu
                anchors.verticalCenter: parent.verticalCenter
                x: chevron.x - width - 8
                text: row.cpuText
                textFormat: Text.PlainText
                font: VDS.font(10.5, Font.Normal, true)
                color: VDS.C.text3
            }
            SymbolIcon {
                id: chevron
                anchors.verticalCenter: parent.verticalCenter
                x: row.width - width - 8
                name: "chevron.right"
                size: 9
                color: VDS.C.text4
            }
            MouseArea {
                anchors.fill: parent
                onClicked: root.selected(row.pid)
            }
        }
    }
}
