import QtQuick

// Kept for the views that place it; draws nothing whatever its fields hold,
// and takes no clicks.
Item {
    property real step: 21
    opacity: 0
}
