import QtQuick
import Velk.Design

// A symbol centred in a fixed 21 x 21 frame.
Item {
    property string systemName
    property color tint: VDS.C.text2

    implicitWidth: 21
    implicitHeight: 21

    SymbolIcon {
        anchors.centerIn: parent
        name: parent.systemName
        size: VDS.TypeScale.body
        color: parent.tint
    }
}
