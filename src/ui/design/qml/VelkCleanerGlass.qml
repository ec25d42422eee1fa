import QtQuick
import Velk.Design

// Ultra-thin translucent veil at 0.32 (without blur). Takes no clicks.
Rectangle {
    color: SystemColors.ultraThinMaterial
    opacity: 0.32
}
