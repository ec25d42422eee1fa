import QtQuick
import Velk.Design

// An on/off switch: a 32 x 18 track, filled with the tint when on, and a
// sliding knob. Off, the track's outline and the knob are drawn in text3, so
// both stand out from the page and from the track in either theme. Like
// VelkCheckbox it shows `isOn` and never changes it itself: a click reports
// the opposite value through toggled().
Item {
    id: root
    property bool isOn: false
    property color tint: VDS.C.accent

    signal toggled(bool on)

    implicitWidth: 32
    implicitHeight: 18
    opacity: enabled ? 1 : 0.45

    Accessible.role: Accessible.CheckBox
    Accessible.checkable: true
    Accessible.checked: isOn
    Accessible.onToggleAction: ButtonPress.act(root, () => root.toggled(!root.isOn))
    Accessible.onPressAction: ButtonPress.act(root, () => root.toggled(!root.isOn))

    Rectangle {
        id: track
        objectName: "switch.track"
        anchors.fill: parent
        radius: height / 2
        color: root.isOn ? root.tint : VDS.C.bg3
        border.width: 1
        border.color: root.isOn ? root.tint : VDS.C.text3
        Behavior on color { ColorAnimation { duration: Motion.cardHover } }

        Rectangle {
            objectName: "switch.knob"
            width: parent.height - 4
            height: width
            radius: width / 2
            y: 2
            x: root.isOn ? parent.width - width - 2 : 2
            color: root.isOn ? VDS.C.onAccent : VDS.C.text3
            Behavior on x { NumberAnimation { duration: Motion.cardHover; easing.type: Easing.OutCubic } }
        }
    }

    MouseArea {
        objectName: "switch.target"
        anchors.fill: parent
        anchors.margins: -4
        onClicked: root.toggled(!root.isOn)
    }
}
