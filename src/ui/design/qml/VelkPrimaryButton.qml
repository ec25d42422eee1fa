import QtQuick
import QtQuick.Templates as T
import Velk.Design

// Filled button: the text colour of the page as fill (red when destructive,
// the accent when gold) with the page colour as label. Pressing lowers the
// fill's opacity to 0.82. Disabled, the whole button fades to 0.45, as the
// switch and the menu entries do.
T.Button {
    id: root
    property bool destructive: false
    property bool gold: false
    property string symbol
    // A spinner in place of the symbol while work it started runs.
    property bool busy: false
    readonly property color foreground: destructive ? VDS.C.onDanger : gold ? VDS.C.onAccent : VDS.C.bg0
    readonly property color fill: destructive ? VDS.C.red : gold ? VDS.C.accent : VDS.C.text1

    opacity: enabled ? 1 : 0.45
    implicitHeight: VDS.Measure.control
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    leftPadding: VDS.Space.m
    rightPadding: VDS.Space.m
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
        color: root.fill
        opacity: root.down ? 0.82 : 1
    }
}
