import QtQuick
import Velk.Design

// The title of one section of the relations card.
VelkText {
    textFormat: Text.PlainText
    font: VDS.font(10.5, Font.Medium)
    color: VDS.C.text3
    elide: Text.ElideRight
}
