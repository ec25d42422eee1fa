import QtQuick
import Velk.Design

// A practically invisible veil of the page colour. Takes no clicks.
Rectangle {
    color: VDS.C.bg0
    opacity: 0.01
}
