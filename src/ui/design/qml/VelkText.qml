import QtQuick

// Text the program shows: plain text, read by a screen reader as it is
// shown. It is a static text named by what it shows, and leaves the
// accessibility tree while hidden. Text inside a control that carries the
// same words as its name sets `Accessible.ignored: true`.
//
//     VelkText { text: Format.bytes(root.size); font: VDS.caption(); color: VDS.C.text2 }
Text {
    textFormat: Text.PlainText
    Accessible.role: Accessible.StaticText
    Accessible.name: text
    Accessible.ignored: !visible
}
