import QtQuick
import Velk.Design

// Rounded bar with a spring-animated fill over the clamped fraction (while
// the bar is shown and the fill moves by a device pixel or more).
Item {
    id: root
    property real value: 0
    property color color: VDS.C.accent
    readonly property real fraction: Geometry.clampFraction(value)
    readonly property real fillWidth: fraction * width

    function follow() {
        spring.enabled = Motion.slides(root, fill.width, fillWidth)
        fill.width = fillWidth
    }

    implicitHeight: 6
    onFillWidthChanged: follow()
    // Hidden, the fill stands where it was going.
    onVisibleChanged: follow()

    Rectangle {
        objectName: "progressBar.track"
        anchors.fill: parent
        radius: root.height * 0.5
        color: VDS.withOpacity(root.color, 0.15)
    }
    Rectangle {
        id: fill
        objectName: "progressBar.fill"
        height: root.height
        radius: root.height * 0.5
        color: root.color
        Behavior on width {
            id: spring
            SpringAnimation {
                spring: Motion.progressFill.spring
                damping: Motion.progressFill.damping
                epsilon: 0.1
            }
        }
    }
}
