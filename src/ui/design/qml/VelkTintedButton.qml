import QtQuick
import QtQuick.Templates as T
import Velk.Design

// Quiet button on a bg2 surface with a 1-pt border; the label and border turn
// red when destructive. Pressing switches the fill to bg3. Disabled, the
// whole button fades to 0.45.
T.Button {
    id: root
    property bool destructive: false
    property string symbol
    // A spinner in place of the symbol while work it started runs.
    property bool busy: false
    readonly property color foreground: destructive ? VDS.C.red : VDS.C.text1

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
        color: root.down ? VDS.C.bg3 : VDS.C.bg2
        border.width: 1
        border.color: root.destructive ? VDS.withOpacity(VDS.C.red, 0.45) : VDS.C.border
    }
}
