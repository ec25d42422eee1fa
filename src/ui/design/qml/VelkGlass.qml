import QtQuick
import QtQuick.Templates as T
import Velk.Design

// Puts two layers of the same shape behind the content: the bg2 surface and,
// above it, the tint. The shape is a rounded rectangle of `radius`, or a
// capsule when `capsule` is set. No padding, no border.
T.Pane {
    id: root
    property color tint: "transparent"
    property real radius: 0
    property bool capsule: false
    readonly property real shapeRadius: capsule ? Math.min(width, height) / 2 : radius

    padding: 0
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding

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
