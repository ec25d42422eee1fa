import QtQuick
import Velk.Design

// Translucent glass behind content (corner radius 12): black at 0.22 scaled
// by the intensity's opacity, an optional tint at 0.05 and a 0.5-pt white
// border at 0.15. Fixed colours; does not follow the theme.
Item {
    id: root
    // "subtle" (0.6), "regular" (0.8) or "prominent" (0.95).
    property string intensity: "regular"
    // A colour, or undefined for no tint layer.
    property var tint: undefined
    readonly property real intensityOpacity: intensity === "subtle" ? 0.6 : intensity === "prominent" ? 0.95 : 0.8
    readonly property bool hasTint: tint !== undefined && tint !== null

    Rectangle {
        objectName: "glass.shade"
        anchors.fill: parent
        radius: 12
        color: Qt.rgba(0, 0, 0, 0.22)
        opacity: root.intensityOpacity
    }
    Rectangle {
        objectName: "glass.tint"
        anchors.fill: parent
        visible: root.hasTint
        radius: 12
        color: root.hasTint ? Qt.rgba(Qt.color(root.tint).r, Qt.color(root.tint).g, Qt.color(root.tint).b, 0.05) : "transparent"
    }
    Rectangle {
        anchors.fill: parent
        radius: 12
        color: "transparent"
        border.width: 0.5
        border.color: Qt.rgba(1, 1, 1, 0.15)
    }
}
