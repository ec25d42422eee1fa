import QtQuick
import Velk.Design

// How risky deleting the file looks: in use, hard-linked, managed by an app,
// or nothing found; its symbol, title and body in the kind's colour role.
Rectangle {
    id: root
    // kind, tone, symbol, title, titleEnglish, body, bodyEnglish.
    property var banner: ({})
    readonly property color tone: VDS.C[root.banner.tone ?? "text2"] ?? VDS.C.text2

    implicitHeight: texts.implicitHeight + 2 * VDS.Space.s
    radius: VDS.Radius.s
    color: VDS.withOpacity(root.tone, 0.08)
    border.width: 0.75
    border.color: VDS.withOpacity(root.tone, 0.35)

    SymbolIcon {
        id: symbol
        x: VDS.Space.s
        y: VDS.Space.s
        width: 22
        height: title.height
        name: root.banner.symbol ?? ""
        size: 16
        font.weight: Font.DemiBold
        color: root.tone
    }
    Column {
        id: texts
        anchors.left: symbol.right
        anchors.leftMargin: VDS.Space.s
        anchors.right: parent.right
        anchors.rightMargin: VDS.Space.s
        y: VDS.Space.s
        spacing: 3

        VelkText {
            id: title
            objectName: "largeFiles.dependencies.banner.title"
            width: parent.width
            text: Lang.t(root.banner.title ?? "", root.banner.titleEnglish ?? "")
            textFormat: Text.PlainText
            font: VDS.font(13, Font.DemiBold)
            color: root.tone
            wrapMode: Text.Wrap
        }
        VelkText {
            objectName: "largeFiles.dependencies.banner.body"
            width: parent.width
            text: Lang.t(root.banner.body ?? "", root.banner.bodyEnglish ?? "")
            textFormat: Text.PlainText
            font: VDS.font(12)
            color: VDS.C.text2
            wrapMode: Text.Wrap
        }
    }
}
