import QtQuick
import QtQuick.Controls
import Velk.Design

// One process of the list: selection bar, icon, name with up to two
// listening ports, the "PID · T · user" line, CPU and memory, a chevron. The
// whole row is one button; the selected fill wins over the hover fill.
Item {
    id: root
    // The list's roles.
    required property int pid
    required property string name
    required property string user
    required property double cpu
    required property string cpuText
    required property string memoryText
    required property var threads
    required property var bundlePath
    // Finds this row by name: "processes.row[PID]".
    readonly property int key: pid
    // Set by the list.
    property string identity
    property string ports
    property bool isSelected: false
    readonly property bool cpuHot: cpu > 50
    readonly property bool hovered: hover.containsMouse

    signal activated()

    implicitHeight: content.implicitHeight + 14
    Accessible.role: Accessible.Button
    Accessible.name: root.name
    Accessible.description: Lang.t("查看详情", "Show details")
    Accessible.onPressAction: ButtonPress.act(root, () => root.activated())

    Rectangle {
        objectName: "processes.row.fill"
        anchors.fill: parent
        radius: VDS.Radius.s
        color: root.isSelected ? VDS.withOpacity(VDS.C.accent, 0.1)
                               : root.hovered ? VDS.C.hover : "transparent"
    }

    Row {
        id: content
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 8
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        spacing: 10

        Rectangle {
            objectName: "processes.row.bar"
            anchors.verticalCenter: parent.verticalCenter
            width: 2.5
            height: 20
            radius: 1.5
            color: root.isSelected ? VDS.C.accent : "transparent"
        }
        ProcessIcon {
            anchors.verticalCenter: parent.verticalCenter
            size: 22
            user: root.user
            bundlePath: root.bundlePath ?? ""
        }
        Column {
            id: texts
            anchors.verticalCenter: parent.verticalCenter
            width: content.width - 2.5 - 22 - figures.width - 16 - 4 * content.spacing - 4
            spacing: 2
            Row {
                width: parent.width
                spacing: 6
                VelkNameText {
                    id: nameText
                    objectName: "processes.row.name"
                    // The row carries it as its name.
                    Accessible.ignored: true
                    anchors.verticalCenter: parent.verticalCenter
                    fitWidth: parent.width - (badge.visible ? badge.width + 6 : 0)
                    width: Math.min(implicitWidth, fitWidth)
                    name: root.name
                    font: VDS.font(12.5, root.isSelected ? Font.DemiBold : Font.Medium)
                    color: VDS.C.text1
                }
                Rectangle {
                    id: badge
                    objectName: "processes.row.ports"
                    anchors.verticalCenter: parent.verticalCenter
                    visible: root.ports.length > 0
                    width: portText.implicitWidth + 10
                    height: portText.implicitHeight + 3
                    radius: height / 2
                    color: VDS.withOpacity(VDS.C.accent, 0.14)
                    VelkText {
                        id: portText
                        anchors.centerIn: parent
                        text: root.ports
                        textFormat: Text.PlainText
                        font: VDS.font(9.5, Font.DemiBold, true)
                        color: VDS.C.accent
                    }
                }
            }
            VelkText {
                objectName: "processes.row.identity"
                width: parent.width
                text: root.identity
                textFormat: Text.PlainText
                font: VDS.font(10.5, Font.Normal, true)
                color: VDS.C.text3
                wrapMode: Text.Wrap
            }
        }
        Column {
            id: figures
            anchors.verticalCenter: parent.verticalCenter
            spacing: 2
            VelkText {
                objectName: "processes.row.cpu"
                anchors.right: parent.right
                text: root.cpuText
                textFormat: Text.PlainText
                font: VDS.font(11.5, Font.DemiBold, true)
                color: root.cpuHot ? VDS.C.accent : VDS.C.text1
            }
            VelkText {
                objectName: "processes.row.memory"
                anchors.right: parent.right
                text: root.memoryText
                textFormat: Text.PlainText
                font: VDS.font(10.5, Font.Normal, true)
                color: VDS.C.text3
            }
        }
        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            name: "chevron.right"
            size: 10
            font.weight: Font.DemiBold
            color: root.isSelected ? VDS.C.accent : VDS.C.text3
        }
    }

    MouseArea {
        id: hover
        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.activated()
        ToolTip.visible: containsMouse
        ToolTip.delay: 700
        ToolTip.text: Lang.t("查看详情", "Show details")
    }
}
