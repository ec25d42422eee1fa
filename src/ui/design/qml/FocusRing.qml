import QtQuick
import Velk.Design

// The window's keyboard focus ring, around the item Tab moved the focus to.
// Each window declares one; it places itself over the whole window.
FocusRingLayer {
    id: layer

    // Drawn a pixel clear of the item, so it shows on accent buttons too.
    Rectangle {
        objectName: "focusRing"
        visible: layer.shown
        x: layer.targetRect.x - 3
        y: layer.targetRect.y - 3
        width: layer.targetRect.width + 6
        height: layer.targetRect.height + 6
        radius: layer.targetRadius + 3
        color: "transparent"
        border.width: 2
        border.color: VDS.withOpacity(VDS.C.accent, 0.8)
    }
}
