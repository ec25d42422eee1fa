import QtQuick
import QtQuick.Layouts
import Velk.Design

// Title band at the top of a section screen: title, optional subtitle and the
// trailing controls on one baseline, the trailing controls pushed to the end,
// 21 apart from the texts, above a tapered divider. The trailing controls
// keep their own width. The title keeps its whole text while it fits beside
// them; the subtitle shows whole or not at all, giving way first. Where the
// title must be cut and nothing of it would show but "…", it goes too.
// `accent` and `icon` are kept for the callers but not drawn.
Item {
    id: root
    property string title
    property string subtitle
    property color accent: VDS.C.accent
    property string icon
    default property alias trailing: trailingRow.data

    readonly property real gap: VDS.Space.m
    // Room for the texts beside the trailing controls and the gap before
    // them; whole pixels at least the texts' own, so nothing that fits is cut.
    readonly property real textRoom: Math.max(0, row.width - (trailingRow.visible ? trailingRow.implicitWidth + gap : 0))
    readonly property real titleWidth: Math.min(Math.ceil(titleText.implicitWidth), textRoom)
    readonly property bool titleShown: titleWidth >= Math.ceil(titleText.implicitWidth)
                                       || (titleMetrics.elidedText.length > 1 && titleWidth > 0)
    readonly property real subtitleWidth: root.subtitle.length > 0
                                          && Math.ceil(subtitleText.implicitWidth) + gap <= textRoom - titleWidth
                                          ? Math.ceil(subtitleText.implicitWidth) : 0

    implicitWidth: Math.ceil(titleText.implicitWidth)
                   + (root.subtitle.length > 0 ? gap + Math.ceil(subtitleText.implicitWidth) : 0)
                   + (trailingRow.visible ? gap + trailingRow.implicitWidth : 0)
                   + 2 * VDS.Space.l
    implicitHeight: row.implicitHeight + VDS.Space.l + VDS.Space.m

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: VDS.Space.l
        anchors.rightMargin: VDS.Space.l
        anchors.topMargin: VDS.Space.l
        anchors.bottomMargin: VDS.Space.m
        spacing: 0

        VelkText {
            id: titleText
            objectName: "pageHeader.title"
            visible: root.titleShown
            Layout.alignment: Qt.AlignBaseline
            Layout.minimumWidth: root.titleWidth
            Layout.preferredWidth: root.titleWidth
            Layout.maximumWidth: root.titleWidth
            text: root.title
            textFormat: Text.PlainText
            font: VDS.title(Font.Medium)
            color: VDS.C.text1
            maximumLineCount: 1
            elide: Text.ElideRight
        }
        VelkText {
            id: subtitleText
            objectName: "pageHeader.subtitle"
            visible: root.subtitleWidth > 0
            Layout.alignment: Qt.AlignBaseline
            Layout.leftMargin: root.gap
            Layout.minimumWidth: root.subtitleWidth
            Layout.preferredWidth: root.subtitleWidth
            Layout.maximumWidth: root.subtitleWidth
            text: root.subtitle
            textFormat: Text.PlainText
            font: VDS.body()
            color: VDS.C.text3
            maximumLineCount: 1
            elide: Text.ElideRight
        }
        Item {
            objectName: "pageHeader.spacer"
            Layout.fillWidth: true
            Layout.minimumWidth: trailingRow.visible ? root.gap : 0
            Layout.preferredWidth: Layout.minimumWidth
        }
        Row {
            id: trailingRow
            objectName: "pageHeader.trailing"
            visible: children.length > 0
            Layout.alignment: Qt.AlignBaseline
            Layout.minimumWidth: implicitWidth
            Layout.maximumWidth: implicitWidth
            spacing: VDS.Space.s
            baselineOffset: {
                for (let i = 0; i < children.length; ++i) {
                    const child = children[i]
                    if (child.visible)
                        return child.y + child.baselineOffset
                }
                return 0
            }
            // The row places its children from left to right; centre them
            // vertically, as the trailing controls differ in height.
            onPositioningComplete: {
                for (let i = 0; i < children.length; ++i)
                    children[i].y = (height - children[i].height) / 2
            }
        }
    }

    // What the title shows in its width, to tell a lone "…".
    TextMetrics {
        id: titleMetrics
        font: titleText.font
        text: root.title
        elide: Text.ElideRight
        elideWidth: root.titleWidth
    }

    VelkMetallicDivider {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        inset: VDS.Space.l
    }
}
