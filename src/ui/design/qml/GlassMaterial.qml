import QtQuick
import Velk.Design

// Translucent glass behind content (corner radius 12): black at 0.22 scaled
// by the intensity's opacity, an optional tint at 0.05 and a 0.5-pt white
// border at 0.15. Fixed colours; does not follow the theme.
Item {
    id: root
    enum Intensity { Subtle, Regular, Prominent }
    // Subtle (0.6), Regular (0.8) or Prominent (0.95).
    property int intensity: GlassMaterial.Regular
    // A colour, or undefined for no tint layer.
    property var tint: undefined
    readonly property real intensityOpacity: intensity === GlassMaterial.Subtle ? 0.6 : intensity === GlassMaterial.Prominent ? 0.95 : 0.8
    readonly property bool hasTint: tint !== undefined && tint !== null

    Rectangle {
        objectName: "glass.shade"
        anchors.fill: parent
        radius: 12
        color: VDS.withOpacity("black", 0.22)
        opacity: root.intensityOpacity
    }
    Rectangle {
        objectName: "glass.tint"
        anchors.fill: parent
        visible: root.hasTint
        radius: 12
        color: root.hasTint ? VDS.withOpacity(root.tint, 0.05) : "transparent"
    }
    Rectangle {
        anchors.fill: parent
        radius: 12
        color: "transparent"
        border.width: 0.5
        border.color: VDS.withOpacity("white", 0.15)
    }
}
