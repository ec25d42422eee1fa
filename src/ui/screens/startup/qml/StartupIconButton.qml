import QtQuick
import QtQuick.Templates as T
import Velk.Design

// A bare symbol button of a startup row, 26 x 26, with its help text.
T.Button {
    id: root
    property string symbol
    property string help

    implicitWidth: 26
    implicitHeight: 26
    padding: 0
    Accessible.name: root.help
    Accessible.onPressAction: ButtonPress.click(root)

    contentItem: SymbolIcon {
        name: root.symbol
        size: 11.5
        color: root.down ? VDS.C.text1 : VDS.C.text3
    }
    background: Item {}

    VelkToolTip { text: root.help }
}
