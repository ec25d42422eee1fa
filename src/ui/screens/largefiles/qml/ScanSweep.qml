import QtQuick
import Velk.Design

// A 3-pt track with a highlight a third of its width that sweeps across it
// from the left, linearly, once every 1.4 s, entering and leaving unseen.
Item {
    id: root
    property real phase

    implicitHeight: 3
    clip: true
    Accessible.name: "Scanning"

    NumberAnimation on phase {
        from: 0
        to: 1
        duration: 1400
        loops: Animation.Infinite
        running: root.visible
    }

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: VDS.C.border
    }
    Rectangle {
        objectName: "largeFiles.sweep.highlight"
        readonly property real span: 0.34 * root.width
        x: root.phase * (root.width + span) - span
        width: span
        height: parent.height
        radius: height / 2
        color: VDS.C.accent
    }
}
