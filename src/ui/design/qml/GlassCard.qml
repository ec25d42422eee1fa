import QtQuick
import Velk.Design

// Content padded on all edges over glass of the given intensity, untinted.
// A surface: presses pass through to what lies beneath.
Surface {
    id: root
    property int intensity: GlassMaterial.Regular

    padding: 16
    background: GlassMaterial {
        intensity: root.intensity
    }
}
