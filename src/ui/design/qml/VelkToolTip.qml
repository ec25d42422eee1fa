import QtQuick
import QtQuick.Templates as T
import Velk.Design

// The one tooltip convention: declare it inside the control it explains,
//
//     VelkGhostButton { symbol: "arrow.clockwise"; VelkToolTip { text: Lang.t("刷新", "Refresh") } }
//
// It covers its parent, shows `text` after the pointer has rested there for
// a moment, and never takes a click. An empty text shows nothing.
Item {
    id: root
    property string text
    // Shown without the pointer (the component gallery's still picture).
    property bool pinned: false
    readonly property bool showing: tip.visible

    anchors.fill: parent

    HoverHandler {
        id: hover
    }

    T.ToolTip {
        id: tip
        objectName: "toolTip"
        parent: root
        visible: (hover.hovered || root.pinned) && root.text.length > 0
        delay: root.pinned ? 0 : 600
        timeout: -1
        text: root.text
        x: Math.round((root.width - width) / 2)
        y: root.height + VDS.Space.xxs
        padding: VDS.Space.xs
        leftPadding: VDS.Space.s
        rightPadding: VDS.Space.s
        implicitWidth: Math.min(contentItem.implicitWidth, 280) + leftPadding + rightPadding
        implicitHeight: contentItem.implicitHeight + topPadding + bottomPadding

        contentItem: Text {
            text: tip.text
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font: VDS.caption()
            color: VDS.C.text1
        }
        background: Rectangle {
            radius: VDS.Radius.xs
            color: VDS.C.bgElevated
            border.width: 1
            border.color: VDS.C.borderStrong
        }
    }
}
