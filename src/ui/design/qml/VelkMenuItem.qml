import QtQuick
import QtQuick.Templates as T
import Velk.Design

// One entry of VelkContextMenu: an optional symbol and the text; the row
// under the pointer is highlighted. `destructive` draws it in red.
T.MenuItem {
    id: root
    property string symbol
    property bool destructive: false

    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: 28
    leftPadding: VDS.Space.s
    rightPadding: VDS.Space.s
    topPadding: 0
    bottomPadding: 0
    width: parent ? parent.width : implicitWidth
    opacity: enabled ? 1 : 0.45

    contentItem: ButtonLabel {
        text: root.text
        symbol: root.symbol
        weight: Font.Normal
        centred: false
        color: root.destructive ? VDS.C.red : VDS.C.text1
    }
    background: Rectangle {
        radius: VDS.Radius.xs
        color: root.highlighted || root.down ? VDS.C.hover : "transparent"
    }
}
