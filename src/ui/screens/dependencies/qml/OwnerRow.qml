import QtQuick
import Velk.Design

// Whom the file belongs to: the application's own icon and an Open App
// button when an application was found, else the kind's symbol on a tile;
// the name ("—" when there is none) and the sentence that explains the kind.
Item {
    id: root
    // name, symbol, sentence, sentenceEnglish, appPath.
    property var owner: ({})
    readonly property string appPath: root.owner.appPath ?? ""
    readonly property bool hasApp: root.appPath.length > 0
    signal openApp(string path)

    implicitHeight: Math.max(28, texts.implicitHeight, open.visible ? open.height : 0)

    Item {
        id: icon
        objectName: "largeFiles.dependencies.owner.icon"
        anchors.verticalCenter: parent.verticalCenter
        width: 28
        height: 28

        Image {
            objectName: "largeFiles.dependencies.owner.appIcon"
            visible: root.hasApp
            anchors.fill: parent
            source: root.hasApp ? "image://appicon/" + encodeURIComponent(root.appPath) : ""
            sourceSize.width: 56
            sourceSize.height: 56
            asynchronous: true
            smooth: true
        }
        Rectangle {
            objectName: "largeFiles.dependencies.owner.tile"
            visible: !root.hasApp
            anchors.fill: parent
            radius: 6
            color: VDS.C.bg3

            SymbolIcon {
                anchors.centerIn: parent
                name: root.owner.symbol ?? ""
                size: 14
                font.weight: Font.Medium
                color: VDS.C.accent
            }
        }
    }
    Column {
        id: texts
        anchors.left: icon.right
        anchors.leftMargin: VDS.Space.s
        anchors.right: open.visible ? open.left : parent.right
        anchors.rightMargin: open.visible ? VDS.Space.s : 0
        anchors.verticalCenter: parent.verticalCenter
        spacing: 2

        VelkNameText {
            objectName: "largeFiles.dependencies.owner.name"
            width: parent.width
            name: (root.owner.name ?? "").length > 0 ? root.owner.name : "—"
            font: VDS.font(12.5, Font.Medium)
            color: VDS.C.text1
        }
        VelkText {
            objectName: "largeFiles.dependencies.owner.sentence"
            width: parent.width
            text: Lang.t(root.owner.sentence ?? "", root.owner.sentenceEnglish ?? "")
            textFormat: Text.PlainText
            font: VDS.font(11)
            color: VDS.C.text3
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
        }
    }
    VelkTintedButton {
        id: open
        objectName: "largeFiles.dependencies.owner.open"
        visible: root.hasApp
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        text: Lang.t("打开应用", "Open App")
        onClicked: root.openApp(root.appPath)
    }
}
