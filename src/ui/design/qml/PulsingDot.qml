import QtQuick
import Velk.Design

// A 6-pt status dot with a 10-pt ring that grows to 1.6 times its size while
// fading out, every 1.4 s. The pulse stops while the application is inactive
// and starts again from the beginning of a cycle when it becomes active.
Item {
    id: root
    property color color: VDS.C.accent
    readonly property bool pulsing: pulse.running
    // Follows the application's activation notifications.
    readonly property bool applicationActive: ApplicationState.active

    implicitWidth: 10
    implicitHeight: 10

    function restart() {
        pulse.stop()
        ring.scale = 1
        ring.opacity = 0.6
        if (applicationActive && visible)
            pulse.start()
    }

    onApplicationActiveChanged: restart()
    onVisibleChanged: restart()
    Component.onCompleted: restart()

    Rectangle {
        id: ring
        objectName: "pulsingDot.ring"
        anchors.centerIn: parent
        width: 10
        height: 10
        radius: 5
        color: VDS.withOpacity(root.color, 0.3)
        opacity: 0.6
    }
    Rectangle {
        anchors.centerIn: parent
        width: 6
        height: 6
        radius: 3
        color: root.color
    }

    ParallelAnimation {
        id: pulse
        loops: Animation.Infinite
        NumberAnimation {
            target: ring; property: "scale"; from: 1; to: 1.6
            duration: Motion.pulse; easing.type: Easing.InOutQuad
        }
        NumberAnimation {
            target: ring; property: "opacity"; from: 0.6; to: 0
            duration: Motion.pulse; easing.type: Easing.InOutQuad
        }
    }
}
