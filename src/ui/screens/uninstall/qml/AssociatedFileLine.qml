import QtQuick
import QtQuick.Layouts
import Velk.Design
import Velk.Models

// One leftover of an application: kind, full path (cut in the middle), size
// and a button that shows it in the file manager. It has no checkbox: what
// goes with the application is the engine's marking.
Rectangle {
    id: root
    required property var file
    // Finds this line by name: "appUninstall.file[PATH]".
    readonly property string key: file.path

    signal revealRequested(string path)

    objectName: "appUninstall.file"
    implicitHeight: line.implicitHeight + 12
    color: VDS.C.bg2

    RowLayout {
        id: line
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        spacing: 8

        SymbolIcon {
            name: root.file.isDirectory ? "folder" : "doc"
            size: 10.5
            color: VDS.C.text3
        }
        VelkNameText {
            objectName: "appUninstall.file.path"
            Layout.fillWidth: true
            name: root.file.path
            font: VDS.font(10.5, Font.Normal, true)
            color: VDS.C.text2
            shortening: Text.ElideMiddle
        }
        VelkText {
            objectName: "appUninstall.file.size"
            text: Format.bytes(root.file.size)
            textFormat: Text.PlainText
            font: VDS.font(10.5, Font.Medium, true)
            color: VDS.C.text3
        }
        SymbolIcon {
            id: reveal
            objectName: "appUninstall.file.reveal"
            name: "folder"
            size: 10
            color: VDS.C.text3
            Accessible.role: Accessible.Button
            Accessible.name: Lang.t(SystemWords.revealZh, SystemWords.revealEn)
            Accessible.onPressAction: ButtonPress.act(reveal, () => root.revealRequested(root.file.path))

            MouseArea {
                anchors.fill: parent
                anchors.margins: -5
                onClicked: root.revealRequested(root.file.path)
            }
        }
    }
}
