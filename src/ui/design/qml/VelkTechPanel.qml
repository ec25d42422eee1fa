import QtQuick
import Velk.Design

// A card without padding in the fixed panel colours.
VelkCard {
    property real cornerRadius: VDS.Radius.m
    padding: 0
    radius: cornerRadius
}
