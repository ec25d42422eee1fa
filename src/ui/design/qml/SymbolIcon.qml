import QtQuick
import Velk.Design

// A named symbol drawn as a glyph of the symbol font; an unknown name shows
// a question mark. `size` is the point size the symbol is specified at; the
// glyphs of this font fill less of their box, so they are drawn 15 % larger
// to match.
Text {
    property string name
    property real size: VDS.TypeScale.body

    text: name.length > 0 ? Symbols.glyph(name) : ""
    font.family: Symbols.fontFamily
    font.pixelSize: Math.round(size * 1.15)
    color: VDS.C.text2
    textFormat: Text.PlainText
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}
