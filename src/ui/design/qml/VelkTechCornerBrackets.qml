import QtQuick
import Velk.Design

// Kept for the views that place it; draws nothing whatever its fields hold,
// and takes no clicks.
Item {
    property real radius: VDS.Radius.m
    property real length: 8
    property color color: "transparent"
}
