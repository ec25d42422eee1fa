import QtQuick
import Velk.Design

// Puts two layers of the same shape behind the content: the bg2 surface and,
// above it, the tint. The shape is a rounded rectangle of `radius`, or a
// capsule when `capsule` is set. No padding, no border. Presses pass through.
Surface {
    id: root
    property color tint: "transparent"
    property real radius: 0
    property bool capsule: false
    readonly property real shapeRadius: capsule ? Math.min(width, height) / 2 : radius

    background: Item {
        Rectangle {
            objectName: "glass.surface"
            anchors.fill: parent
            radius: root.shapeRadius
            color: VDS.C.bg2
        }
        Rectangle {
            objectName: "glass.tint"
            anchors.fill: parent
            radius: root.shapeRadius
            color: root.tint
        }
    }
}
