import QtQuick
import Velk.Design

// One titled card of the report: its symbol and title, the number of
// entries in red when there are any (cards that count), and the content
// below, spanning the report's width.
Rectangle {
    id: root
    // Which card: "processes", "launchItems", "owner", "origin", "info".
    property string key
    property string title
    property string symbol
    // -1: a card that does not count.
    property int count: -1
    default property alias content: body.data

    implicitHeight: column.implicitHeight + 2 * VDS.Space.s
    radius: VDS.Radius.s
    color: VDS.C.bg2
    border.width: 0.75
    border.color: VDS.C.border

    Column {
        id: column
        x: VDS.Space.s
        y: VDS.Space.s
        width: root.width - 2 * VDS.Space.s
        spacing: VDS.Space.xs

        Row {
            spacing: VDS.Space.xs

            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                name: root.symbol
                size: 11
                font.weight: Font.DemiBold
                color: VDS.C.text3
            }
            VelkText {
                objectName: "largeFiles.dependencies.card.title"
                anchors.verticalCenter: parent.verticalCenter
                text: root.title
                textFormat: Text.PlainText
                font: VDS.font(11, Font.DemiBold)
                color: VDS.C.text2
            }
            VelkText {
                objectName: "largeFiles.dependencies.card.count"
                anchors.verticalCenter: parent.verticalCenter
                visible: root.count > 0
                text: Format.decimal(root.count)
                textFormat: Text.PlainText
                font: VDS.font(10.5, Font.DemiBold, true)
                color: VDS.C.red
            }
        }
        Column {
            id: body
            width: parent.width
            spacing: VDS.Space.xs
        }
    }
}
