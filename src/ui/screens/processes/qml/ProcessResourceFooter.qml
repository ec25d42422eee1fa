import QtQuick
import Velk.Design

// The strip under the process list: its columns in a row, padded, on a
// translucent band with a divider along the top.
Rectangle {
    id: root
    default property alias columns: row.data

    implicitHeight: row.implicitHeight + 2 * VDS.Space.s
    color: VDS.withOpacity(VDS.C.bg1, 0.55)

    Row {
        id: row
        x: VDS.Space.m
        anchors.verticalCenter: parent.verticalCenter
        spacing: VDS.Space.l
    }
    VelkMetallicDivider {
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
    }
}
