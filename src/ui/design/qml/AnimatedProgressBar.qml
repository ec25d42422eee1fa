import QtQuick
import Velk.Design

// Rounded bar with a spring-animated fill over the clamped fraction.
Item {
    id: root
    property real value: 0
    property color color: VDS.C.accent
    readonly property real fraction: Geometry.clampFraction(value)

    implicitHeight: 6

    Rectangle {
        objectName: "progressBar.track"
        anchors.fill: parent
        radius: root.height * 0.5
        color: VDS.withOpacity(root.color, 0.15)
    }
    Rectangle {
        objectName: "progressBar.fill"
        height: root.height
        width: root.fraction * root.width
        radius: root.height * 0.5
        color: root.color
        Behavior on width {
            SpringAnimation {
                spring: Motion.progressFill.spring
                damping: Motion.progressFill.damping
                epsilon: 0.1
            }
        }
    }
}
