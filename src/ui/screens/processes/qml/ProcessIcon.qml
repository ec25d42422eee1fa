import QtQuick
import Velk.Design

// A square tile for one process: a neutral tile for a process inside an
// application bundle (whose icon would take its place), otherwise a gear for
// root's processes and a terminal for everyone else's.
Rectangle {
    id: root
    property string user
    property string bundlePath
    property real size: 22
    readonly property bool inBundle: bundlePath.length > 0

    implicitWidth: size
    implicitHeight: size
    radius: size * 0.24
    color: VDS.C.bg3

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
