import QtQuick
import Velk.Design

// One scope of the startup filter bar as a small rounded pill; the active
// one takes the accent. A press reports itself; choosing is the owner's.
Item {
    id: root
    property string text
    // The scope's raw value; "all" for all scopes.
    property string key
    property bool active: false

    signal pressed()

    implicitWidth: label.implicitWidth + 20
    implicitHeight: label.implicitHeight + 9

    Accessible.role: Accessible.RadioButton
    Accessible.name: root.text
    Accessible.checkable: true
    Accessible.checked: root.active
    Accessible.onPressAction: ButtonPress.act(root, () => root.pressed())
    Accessible.onToggleAction: ButtonPress.act(root, () => root.pressed())

    Rectangle {
        anchors.fill: parent
        radius: 6
        color: root.active ? VDS.withOpacity(VDS.C.accent, 0.12) : VDS.C.hover
        border.width: 0.75
        border.color: root.active ? VDS.C.borderWarm : VDS.C.border
    }
    VelkText {
        id: label
        // The control carries it as its name.
        Accessible.ignored: true
        anchors.centerIn: parent
        text: root.text
        textFormat: Text.PlainText
        font: VDS.font(11.5, root.active ? Font.DemiBold : Font.Medium)
        color: root.active ? VDS.C.accent : VDS.C.text2
        maximumLineCount: 1
    }
    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: root.pressed()
    }
}
