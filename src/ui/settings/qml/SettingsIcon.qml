import QtQuick
import QtQuick.Layouts
import Velk.Design

// The symbol at the start of a Settings row: 15 pt in a 22-pt column.
SymbolIcon {
    size: 15
    color: VDS.C.accent
    width: 22
    font.weight: Font.Medium
    Layout.preferredWidth: 22
}
