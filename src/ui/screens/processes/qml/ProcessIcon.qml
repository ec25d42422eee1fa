import QtQuick
import Velk.Design

// A square tile for one process. A process inside an application bundle
// shows the bundle's icon from the shared icon cache, over a neutral tile
// while it loads; any other process shows a gear for root and a terminal for
// everyone else.
Rectangle {
    id: root
    property string user
    property string bundlePath
    property real size: 22
    readonly property bool inBundle: bundlePath.length > 0

    implicitWidth: size
    implicitHeight: size
    radius: size * 0.24
    color: bundleIcon.status === Image.Ready ? "transparent" : VDS.C.bg3

    Image {
        id: bundleIcon
        objectName: "processIcon.bundle"
        anchors.fill: parent
        visible: root.inBundle && status === Image.Ready
        source: root.inBundle ? "image://appicon/" + encodeURIComponent(root.bundlePath) : ""
        sourceSize.width: Math.ceil(root.size * 2)
        sourceSize.height: Math.ceil(root.size * 2)
        asynchronous: true
        smooth: true
        fillMode: Image.PreserveAspectFit
    }

    SymbolIcon {
        objectName: "processIcon.symbol"
        anchors.centerIn: parent
        visible: !root.inBundle
        name: root.user === "root" ? "gearshape.fill" : "terminal.fill"
        size: root.size * 0.55
        color: VDS.C.text3
        font.weight: Font.DemiBold
    }
}
