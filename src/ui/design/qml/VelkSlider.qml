import QtQuick
import QtQuick.Templates as T
import Velk.Design

// A horizontal slider that moves only in steps of `stepSize` between `from`
// and `to`; the track fills with the tint up to the knob. `small` is the
// compact size of toolbars. The value is the owner's: bind `value` and write
// it back from moved().
T.Slider {
    id: root
    property color tint: VDS.C.accent
    property bool small: false
    readonly property real knob: small ? 12 : 16

    snapMode: T.Slider.SnapAlways
    // The range as the accessibility interface reads it (Qt 6.4 asks the
    // item for these two and for stepSize, which the template has).
    readonly property real minimumValue: from
    readonly property real maximumValue: to
    // A step through the accessibility interface moves the knob as a key
    // does, so the owner hears of it through moved().
    Accessible.onIncreaseAction: ButtonPress.act(root, () => root.step(true))
    Accessible.onDecreaseAction: ButtonPress.act(root, () => root.step(false))

    function step(up: bool) {
        if (up)
            increase()
        else
            decrease()
        moved()
    }
    implicitWidth: 144
    implicitHeight: small ? 20 : 24
    padding: 0
    leftPadding: knob / 2
    rightPadding: knob / 2

    background: Item {
        x: root.leftPadding
        y: (root.height - height) / 2
        width: root.availableWidth
        height: root.small ? 3 : 4

        Rectangle {
            anchors.fill: parent
            radius: height / 2
            color: VDS.C.bg3
        }
        Rectangle {
            objectName: "slider.fill"
            width: root.visualPosition * parent.width
            height: parent.height
            radius: height / 2
            color: root.tint
        }
    }

    handle: Rectangle {
        objectName: "slider.knob"
        x: root.leftPadding + root.visualPosition * root.availableWidth - width / 2
        y: (root.height - height) / 2
        width: root.knob
        height: root.knob
        radius: width / 2
        color: root.pressed ? VDS.C.bg2 : VDS.C.bgElevated
        border.width: 1
        border.color: root.pressed ? root.tint : VDS.C.borderStrong
    }
}
