import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Velk.Design

// A Settings row that acts when clicked anywhere on it: the symbol in its
// tint, the title with an optional detail line below, and a chevron.
T.AbstractButton {
    id: root
    property string symbol
    property color tint: VDS.C.accent
    property string detail
    property bool showsChevron: true

    Accessible.name: text
    Accessible.description: detail
    Accessible.onPressAction: ButtonPress.click(root)
    implicitWidth: row.implicitWidth
    implicitHeight: row.implicitHeight + 2 * VDS.Space.s
    background: Item { }

    RowLayout {
        id: row
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: VDS.Space.m

        SettingsIcon {
            name: root.symbol
            color: root.tint
        }
        Column {
            spacing: VDS.Space.xxs
            Layout.fillWidth: true

            VelkText {
                objectName: "settings.rowTitle"
                // The row carries it as its name.
                Accessible.ignored: true
                text: root.text
                textFormat: Text.PlainText
                font: VDS.body(Font.Medium)
                color: VDS.C.text1
            }
            VelkText {
                objectName: "settings.rowDetail"
                visible: root.detail.length > 0
                text: root.detail
                textFormat: Text.PlainText
                font: VDS.caption()
                color: VDS.C.text3
            }
        }
        SymbolIcon {
            visible: root.showsChevron
            name: "chevron.right"
            size: 10
            font.weight: Font.DemiBold
            color: VDS.C.text4
        }
    }
}
