import QtQuick
import Velk.Design

// Level bar for one fraction: a capsule track in the colour at 0.14 and the
// fill from the leading edge; each new value slides linearly over 0.6 s
// (while the bar is shown, is `animated` and the fill moves by a device
// pixel or more), else it is drawn in one step.
Item {
    id: root
    property real value: 0
    property color color: VDS.C.accent
    // False for a bar that moves at every sample: one frame per change
    // instead of one every vsync for 0.6 s.
    property bool animated: true
    readonly property real fraction: Geometry.clampFraction(value)
    readonly property real fillWidth: fraction * width

    function follow() {
        slide.enabled = animated && Motion.slides(root, fill.width, fillWidth)
        fill.width = fillWidth
    }

    implicitHeight: 6
    onFillWidthChanged: follow()
    // Hidden, the fill stands where it was going.
    onVisibleChanged: follow()

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: VDS.withOpacity(root.color, 0.14)
    }
    Rectangle {
        id: fill
        objectName: "liveBar.fill"
        height: parent.height
        radius: height / 2
        color: root.color
        Behavior on width {
            id: slide
            NumberAnimation { duration: Motion.live; easing.type: Easing.Linear }
        }
    }
}
