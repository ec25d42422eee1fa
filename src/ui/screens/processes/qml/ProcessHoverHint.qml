import QtQuick
import QtQuick.Templates as T
import Velk.Design

// An info symbol whose explanation shows below it while the pointer rests
// on it.
Item {
    id: root
    property string text
    // Shown without the pointer (still pictures).
    property bool pinned: false
    readonly property bool showing: popover.visible

    implicitWidth: 16
    implicitHeight: 16
    Accessible.role: Accessible.StaticText
    Accessible.name: root.text
    Accessible.ignored: !visible

    SymbolIcon {
        anchors.centerIn: parent
        name: "info.circle"
        size: 11
        color: VDS.C.text3
    }
    HoverHandler {
        id: hover
    }

    T.Popup {
        id: popover
        objectName: "hoverHint.popover"
        visible: hover.hovered || root.pinned
        closePolicy: T.Popup.NoAutoClose
        x: Math.round((root.width - width) / 2)
        // Below the symbol, or above it where there is no room below, so that
        // it never covers the symbol; placed again each time it shows.
        y: {
            const below = root.height + 6
            if (!visible || !root.Window.window)
                return below
            const bottom = root.mapToItem(null, 0, below).y + implicitHeight + margins
            return bottom <= root.Window.height ? below : -implicitHeight - 6
        }
        // Pushed inside the window near its edges.
        margins: VDS.Space.s
        padding: 12
        width: 220 + leftPadding + rightPadding
        // A template popup has no size of its own: the text sets its height.
        implicitHeight: implicitContentHeight + topPadding + bottomPadding

        background: Rectangle {
            radius: VDS.Radius.s
            color: VDS.C.bg2
            border.width: 1
            border.color: VDS.C.border
        }
        contentItem: VelkText {
            objectName: "hoverHint.text"
            // The hint carries the text as its name.
            Accessible.ignored: true
            text: root.text
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font: VDS.font(12, Font.Normal)
            color: VDS.C.text1
        }
    }
}
