import QtQuick
import Velk.Design

// A filter that is on or off: a dot and a label on a rounded chip, 32 tall.
// On, the dot, the label and the border take the accent over a faint accent
// fill; off, a muted dot and label over the hover fill. A click toggles.
Item {
    id: root
    property string text
    property bool checked: false

    signal toggled(bool checked)

    implicitWidth: row.implicitWidth + 24
    implicitHeight: 32
    baselineOffset: row.y + label.y + label.baselineOffset

    Accessible.role: Accessible.CheckBox
    Accessible.name: root.text
    Accessible.checkable: true
    Accessible.checked: root.checked
    Accessible.onToggleAction: ButtonPress.act(root, () => root.toggled(!root.checked))
    Accessible.onPressAction: ButtonPress.act(root, () => root.toggled(!root.checked))

    Rectangle {
        objectName: "filterChip.fill"
        anchors.fill: parent
        radius: VDS.Radius.s
        color: root.checked ? VDS.withOpacity(VDS.C.accent, 0.12) : VDS.C.hover
        border.width: 0.75
        border.color: root.checked ? VDS.C.borderWarm : VDS.C.border
    }
    Row {
        id: row
        anchors.centerIn: parent
        spacing: 6
        Rectangle {
            objectName: "filterChip.dot"
            anchors.verticalCenter: parent.verticalCenter
            width: 6.5
            height: 6.5
            radius: 3.25
            color: root.checked ? VDS.C.accent : VDS.C.text4
        }
        Text {
            id: label
            objectName: "filterChip.label"
            anchors.verticalCenter: parent.verticalCenter
            text: root.text
            textFormat: Text.PlainText
            font: VDS.font(12, root.checked ? Font.DemiBold : Font.Medium)
            color: root.checked ? VDS.C.accent : VDS.C.text2
            maximumLineCount: 1
        }
    }
    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: root.toggled(!root.checked)
    }
}
