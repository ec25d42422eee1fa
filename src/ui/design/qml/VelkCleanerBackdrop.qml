import QtQuick
import Velk.Design

// The cleaner style's dark blue gradient, top to bottom.
Rectangle {
    gradient: Gradient {
        GradientStop { position: 0; color: VelkCleanerPalette.backdropTop }
        GradientStop { position: 1; color: VelkCleanerPalette.backdropBottom }
    }
}
