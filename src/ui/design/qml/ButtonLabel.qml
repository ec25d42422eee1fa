import QtQuick
import Velk.Design

// The label of the program's buttons: an optional symbol and the text, 13-pt
// medium, on one line.
Row {
    id: root
    property string text
    property string symbol
    property color color
    property real pixelSize: VDS.TypeScale.body
    property int weight: Font.Medium

    spacing: symbol.length > 0 && text.length > 0 ? 6 : 0
    baselineOffset: label.y + label.baselineOffset

    SymbolIcon {
        visible: root.symbol.length > 0
        name: root.symbol
        size: root.pixelSize
        color: root.color
        anchors.verticalCenter: parent.verticalCenter
    }
    Text {
        id: label
        visible: root.text.length > 0
        text: root.text
        textFormat: Text.PlainText
        font.family: VDS.textFamily
        font.pixelSize: root.pixelSize
        font.weight: root.weight
        color: root.color
        maximumLineCount: 1
        wrapMode: Text.NoWrap
        anchors.verticalCenter: parent.verticalCenter
    }
}
