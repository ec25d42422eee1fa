import QtQuick
import QtQuick.Templates as T
import Velk.Design

// Content padded on all edges over glass of the given intensity, untinted.
T.Pane {
    id: root
    property string intensity: "regular"

    padding: 16
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding
    background: GlassMaterial {
        intensity: root.intensity
    }
}
