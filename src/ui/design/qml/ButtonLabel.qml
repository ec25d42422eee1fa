import QtQuick
import Velk.Design

// The label of the program's buttons: an optional symbol and the text, 13-pt
// medium, on one line, centred in whatever width the button gives it. A
// text wider than that is cut short with "…" rather than running out. While
// `busy`, a small spinner takes the symbol's place.
Item {
    id: root
    property string text
    property string symbol
    property bool busy: false
    property color color
    property real pixelSize: VDS.TypeScale.body
    property int weight: Font.Medium
    // Menus start their entries at the leading edge.
    property bool centred: true
    readonly property bool hasSymbol: busy || symbol.length > 0
    readonly property bool hasText: text.length > 0
    readonly property real gap: hasSymbol && hasText ? 6 : 0
    readonly property bool truncated: label.truncated
    readonly property Item leading: busy ? spinner : icon

    implicitWidth: (hasSymbol ? leading.implicitWidth : 0) + gap + (hasText ? Math.ceil(label.implicitWidth) : 0)
    implicitHeight: Math.max(hasSymbol ? leading.implicitHeight : 0, hasText ? label.implicitHeight : 0)
    baselineOffset: row.y + label.y + label.baselineOffset

    Row {
        id: row
        x: root.centred ? Math.round((root.width - width) / 2) : 0
        y: Math.round((root.height - height) / 2)
        spacing: root.gap

        Spinner {
            id: spinner
            objectName: "buttonLabel.spinner"
            visible: root.busy
            color: root.color
            anchors.verticalCenter: parent.verticalCenter
        }
        SymbolIcon {
            id: icon
            visible: !root.busy && root.hasSymbol
            name: root.symbol
            size: root.pixelSize
            color: root.color
            anchors.verticalCenter: parent.verticalCenter
        }
        Text {
            id: label
            // The button carries the text as its name.
            Accessible.ignored: true
            visible: root.hasText
            width: Math.max(0, Math.min(Math.ceil(implicitWidth),
                                        root.width - (root.hasSymbol ? root.leading.width : 0) - root.gap))
            text: root.text
            textFormat: Text.PlainText
            font: VDS.font(root.pixelSize, root.weight)
            color: root.color
            maximumLineCount: 1
            wrapMode: Text.NoWrap
            elide: Text.ElideRight
            anchors.verticalCenter: parent.verticalCenter
        }
    }
}
