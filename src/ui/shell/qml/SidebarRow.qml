import QtQuick
import QtQuick.Controls.Basic
import Velk.Design

// One section row of the sidebar: icon, title and selection bar when
// expanded, the icon alone when compact. The title is also the tooltip.
AbstractButton {
    id: row
    required property string section
    required property string title
    required property string symbol
    required property bool isSelected
    required property bool isCompact

    // The tooltip: the title, in both forms.
    readonly property string tip: title
    readonly property color iconColor: isSelected ? VDS.C.accent : (hovered ? VDS.C.text2 : VDS.C.text3)

    objectName: "sidebar.row"
    implicitWidth: isCompact ? VDS.Measure.control : VDS.Measure.sidebarNavColumnWidth
    implicitHeight: VDS.Measure.row
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.name: title
    Accessible.onPressAction: ButtonPress.click(row)
    ToolTip.text: tip
    ToolTip.visible: hovered
    ToolTip.delay: 600

    background: Rectangle {
        radius: row.isCompact ? VDS.Radius.xs : 0
        color: row.isCompact
            ? (row.isSelected ? VDS.C.sidebarSelected : (row.hovered ? VDS.C.sidebarHover : "transparent"))
            : (row.hovered && !row.isSelected ? VDS.C.hover : "transparent")
        Behavior on color { ColorAnimation { duration: row.hovered ? 120 : 140; easing.type: Easing.OutQuad } }
    }

    contentItem: Item {
        SymbolIcon {
            objectName: "sidebar.row.icon"
            visible: row.isCompact
            anchors.centerIn: parent
            width: VDS.Measure.control
            height: VDS.Measure.row
            name: row.symbol
            size: 15
            color: row.iconColor
        }

        Row {
            visible: !row.isCompact
            anchors.fill: parent
            anchors.rightMargin: VDS.Space.s
            spacing: VDS.Space.s

            Rectangle {
                objectName: "sidebar.row.bar"
                width: 2
                height: VDS.Space.l
                anchors.verticalCenter: parent.verticalCenter
                color: row.isSelected ? VDS.C.accent : "transparent"
            }
            SymbolIcon {
                width: 28
                height: 28
                anchors.verticalCenter: parent.verticalCenter
                name: row.symbol
                size: 17
                color: row.iconColor
            }
            Text {
                objectName: "sidebar.row.title"
                Accessible.ignored: true
                width: parent.width - 2 - 28 - 2 * VDS.Space.s
                anchors.verticalCenter: parent.verticalCenter
                text: row.title
                textFormat: Text.PlainText
                font: VDS.body(row.isSelected ? Font.Medium : Font.Normal)
                color: row.isSelected || row.hovered ? VDS.C.text1 : VDS.C.text2
                maximumLineCount: 1
                elide: Text.ElideRight
            }
        }
    }
}
