import QtQuick
import Velk.Design

// A 34-point application icon from the shared icon cache, loaded in the
// background when it first shows; until it arrives, a rounded bg3 square
// with the application symbol in the same place.
Item {
    id: root
    property string path
    readonly property bool loaded: icon.status === Image.Ready

    implicitWidth: 34
    implicitHeight: 34

    Rectangle {
        objectName: "appUninstall.row.iconPlaceholder"
        anchors.fill: parent
        visible: !root.loaded
        radius: VDS.Radius.s
        color: VDS.C.bg3

        SymbolIcon {
            anchors.centerIn: parent
            name: "app"
            size: 16
            color: VDS.C.text3
        }
    }
    Image {
        id: icon
        objectName: "appUninstall.row.icon"
        anchors.fill: parent
        visible: root.loaded
        source: root.path.length > 0 ? "image://appicon/" + encodeURIComponent(root.path) : ""
        sourceSize.width: 68
        sourceSize.height: 68
        asynchronous: true
        smooth: true
        mipmap: true
        fillMode: Image.PreserveAspectFit
    }
}
