import QtQuick
import Velk.Design

// A name, path or command line the program did not write, on a line of its
// own: written out as Format.shownName does, laid out left to right like
// the interface whatever letter it begins with, and shortened at the end
// (the default) or in the middle around whole characters, so a written-out
// "<U+202E>" always shows whole.
//
//     VelkNameText { name: root.path; shortening: Text.ElideMiddle; width: parent.width }
VelkText {
    id: root
    // The name itself, as it is on disk or in the process table.
    property string name
    // Text.ElideRight, Text.ElideMiddle, or Text.ElideNone for a line that
    // takes the width it needs.
    property int shortening: Text.ElideRight
    // The width the name is shortened to; a line as wide as its name up to
    // a limit sets this to the limit and its width to
    // Math.min(implicitWidth, fitWidth).
    property real fitWidth: root.width
    // Text the program wrote, put before the name and counted in the width.
    property string prefix

    text: root.shortening === Text.ElideNone
          ? root.prefix + Format.shownLine(root.name)
          : Format.fittedLine(root.name, root.font, root.fitWidth, root.shortening, root.prefix)
    textFormat: Text.PlainText
    horizontalAlignment: Text.AlignLeft
    maximumLineCount: 1
}
