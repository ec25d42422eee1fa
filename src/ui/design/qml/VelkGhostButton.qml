import QtQuick
import QtQuick.Templates as T
import Velk.Design

// Button without a surface until pressed; the label brightens from text2 to
// text1 while pressed. Disabled, the whole button fades to 0.45.
T.Button {
    id: root
    property string symbol
    // A spinner in place of the symbol while work it started runs.
    property bool busy: false
    readonly property color foreground: down ? VDS.C.text1 : VDS.C.text2

    opacity: enabled ? 1 : 0.45
    implicitHeight: VDS.Measure.control
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    leftPadding: VDS.Space.s
    rightPadding: VDS.Space.s
    topPadding: 0
    bottomPadding: 0

    Accessible.name: root.text
    Accessible.onPressAction: ButtonPress.click(root)

    contentItem: ButtonLabel {
        text: root.text
        symbol: root.symbol
        busy: root.busy
        color: root.foreground
    }
    background: Rectangle {
        radius: VDS.Radius.s
        color: root.down ? VDS.C.bg3 : "transparent"
    }
}
