import QtQuick
import Velk.Design

// The window backdrop: the page colour of the theme. Takes no clicks.
Rectangle {
    color: VDS.C.bg0
}
