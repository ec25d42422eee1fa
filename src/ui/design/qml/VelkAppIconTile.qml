import QtQuick
import Velk.Design

// An application's icon from the shared icon cache, loaded in the
// background when it first shows; until it arrives, or without an
// application, a rounded bg3 square with a symbol in the same place.
Item {
    id: tile
    // The application bundle; empty for the symbol alone.
    property string path
    property real size: 34
    property string symbol: "app"
    property color symbolColor: VDS.C.text3
    property real symbolSize: 16
    property int symbolWeight: Font.Normal
    property real radius: VDS.Radius.s
    readonly property bool loaded: icon.status === Image.Ready

    implicitWidth: size
    implicitHeight: size

    Rectangle {
        objectName: "appIconTile.placeholder"
        anchors.fill: parent
        visible: !tile.loaded
        radius: tile.radius
        color: VDS.C.bg3

        SymbolIcon {
            anchors.centerIn: parent
            name: tile.symbol
            size: tile.symbolSize
            font.weight: tile.symbolWeight
            color: tile.symbolColor
        }
    }
    Image {
        id: icon
        objectName: "appIconTile.icon"
        anchors.fill: parent
        visible: tile.loaded
        source: tile.path.length > 0 ? "image://appicon/" + encodeURIComponent(tile.path) : ""
        sourceSize.width: 2 * tile.size
        sourceSize.height: 2 * tile.size
        asynchronous: true
        smooth: true
        mipmap: true
        fillMode: Image.PreserveAspectFit
    }
}
