import QtQuick
import Velk.Design

// Level bar for one fraction: a capsule track in the colour at 0.14 and the
// fill from the leading edge; each new value slides linearly over 0.6 s.
Item {
    id: root
    property real value: 0
    property color color: VDS.C.accent
    readonly property real fraction: Geometry.clampFraction(value)

    implicitHeight: 6

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: VDS.withOpacity(root.color, 0.14)
    }
    Rectangle {
        objectName: "liveBar.fill"
        height: parent.height
        width: root.fraction * root.width
        radius: height / 2
        color: root.color
        Behavior on width {
            NumberAnimation { duration: Motion.live; easing.type: Easing.Linear }
        }
    }
}
