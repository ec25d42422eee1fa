import QtQuick
import Velk.Design

// A section title hugging the leading edge of the available width.
Text {
    property string title

    text: title
    textFormat: Text.PlainText
    font: VDS.caption(Font.Medium)
    color: VDS.C.text3
    horizontalAlignment: Text.AlignLeft
    width: parent ? parent.width : implicitWidth
}
