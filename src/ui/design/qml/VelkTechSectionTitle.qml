import QtQuick
import QtQuick.Layouts
import Velk.Design

// A section title hugging the leading edge of the width it is given; in a
// layout it takes the whole width. (It never binds its width to its parent's:
// inside a Row or Column that would feed the positioner its own size.)
VelkText {
    property string title

    text: title
    textFormat: Text.PlainText
    font: VDS.caption(Font.Medium)
    color: VDS.C.text3
    horizontalAlignment: Text.AlignLeft
    Layout.fillWidth: true
}
