import QtQuick
import Velk.Design

// A 13-pt square checkbox in a 34 x 34 click target. It shows `isChecked`
// and never changes it itself: a click reports the opposite value through
// toggled(), and the owner of the value decides (so a binding of `isChecked`
// stays in place, and a value the owner refuses stays shown as it is). A
// non-interactive checkbox ignores clicks (the row around it handles them).
Item {
    id: root
    property bool isChecked: false
    property color tint: VDS.C.accent
    property bool interactive: true

    signal toggled(bool checked)

    implicitWidth: 34
    implicitHeight: 34

    // A display-only mark leaves its name and state to the row around it.
    Accessible.ignored: !interactive
    Accessible.role: Accessible.CheckBox
    Accessible.name: isChecked ? "Selected" : "Not selected"
    Accessible.checkable: true
    Accessible.checked: isChecked
    Accessible.onToggleAction: ButtonPress.act(root, () => root.toggle())
    Accessible.onPressAction: ButtonPress.act(root, () => root.toggle())

    function toggle() {
        toggled(!isChecked)
    }

    Rectangle {
        objectName: "checkbox.mark"
        anchors.centerIn: parent
        width: 13
        height: 13
        radius: VDS.Radius.xs
        color: root.isChecked ? root.tint : "transparent"
        border.width: 1
        border.color: root.isChecked ? root.tint : VDS.C.borderStrong

        SymbolIcon {
            anchors.centerIn: parent
            visible: root.isChecked
            name: "checkmark"
            size: 8
            color: VDS.C.onAccent
        }
    }

    MouseArea {
        objectName: "checkbox.target"
        anchors.fill: parent
        enabled: root.interactive
        onClicked: root.toggle()
    }
}
