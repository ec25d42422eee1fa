import QtQuick
import Velk.Design

// The sheet's title block: the dependency badge, the file's name, and its
// size and path, the path cut in the middle.
Item {
    id: root
    property string name
    property double size
    property string path

    implicitHeight: texts.implicitHeight + 2 * VDS.Space.m

    Rectangle {
        id: badge
        anchors.left: parent.left
        anchors.leftMargin: VDS.Space.l
        anchors.verticalCenter: parent.verticalCenter
        width: 36
        height: 36
        radius: VDS.Radius.s
        color: VDS.withOpacity(VDS.C.accent, 0.12)

        SymbolIcon {
            anchors.centerIn: parent
            name: "point.3.connected.trianglepath.dotted"
            size: 18
            font.weight: Font.Medium
            color: VDS.C.accent
        }
    }
    Column {
        id: texts
        anchors.left: badge.right
        anchors.leftMargin: VDS.Space.s
        anchors.right: parent.right
        anchors.rightMargin: VDS.Space.l
        anchors.verticalCenter: parent.verticalCenter
        spacing: 2

        VelkNameText {
            objectName: "largeFiles.dependencies.name"
            width: parent.width
            name: root.name
            font: VDS.font(14, Font.DemiBold)
            color: VDS.C.text1
        }
        VelkNameText {
            objectName: "largeFiles.dependencies.subtitle"
            width: parent.width
            prefix: Format.bytes(root.size) + " · "
            name: root.path
            shortening: Text.ElideMiddle
            font: VDS.font(10.5, Font.Normal, true)
            color: VDS.C.text3
        }
    }
}
