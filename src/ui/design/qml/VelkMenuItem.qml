import QtQuick
import QtQuick.Templates as T
import Velk.Design

// One entry of VelkContextMenu or of the window's menus: an optional symbol,
// the text and, for an action with a shortcut, its keys at the trailing
// edge; the row under the pointer is highlighted. `destructive` draws it in
// red.
T.MenuItem {
    id: root
    property string symbol
    property bool destructive: false
    readonly property string shortcutText: action ? Format.shortcut(action.shortcut) : ""

    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: 28
    leftPadding: VDS.Space.s
    // The keys sit in the trailing padding.
    rightPadding: VDS.Space.s + (shortcutText.length > 0 ? VDS.Space.l + Math.ceil(keys.implicitWidth) : 0)
    topPadding: 0
    bottomPadding: 0
    width: parent ? parent.width : implicitWidth
    opacity: enabled ? 1 : 0.45
    font: VDS.body()

    Accessible.name: root.text
    Accessible.onPressAction: ButtonPress.click(root)

    contentItem: ButtonLabel {
        text: root.text
        symbol: root.symbol
        weight: Font.Normal
        centred: false
        color: root.destructive ? VDS.C.red : VDS.C.text1
    }
    Text {
        id: keys
        objectName: "menuItem.shortcut"
        visible: root.shortcutText.length > 0
        anchors.right: parent.right
        anchors.rightMargin: VDS.Space.s
        anchors.verticalCenter: parent.verticalCenter
        text: root.shortcutText
        textFormat: Text.PlainText
        font: VDS.caption()
        color: VDS.C.text3
    }
    background: Rectangle {
        radius: VDS.Radius.xs
        color: root.highlighted || root.down ? VDS.C.hover : "transparent"
    }
}
