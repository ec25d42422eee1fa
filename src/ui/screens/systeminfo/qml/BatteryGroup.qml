pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.SystemInfo

// A card of the battery page: its title over one row per line, the label
// at the leading edge and the value, monospaced, at the trailing edge.
VelkCard {
    id: card
    required property string title
    required property InfoRowListModel rows
    // The object name of the rows; NAME[KEY] finds one.
    property string rowName

    Column {
        width: card.availableWidth
        spacing: 12

        VelkText {
            text: card.title
            textFormat: Text.PlainText
            font: VDS.font(13, Font.DemiBold)
            color: VDS.C.text1
        }

        Repeater {
            model: card.rows
            delegate: Item {
                id: line
                required property string key
                required property string labelZh
                required property string labelEn
                required property string valueZh
                required property string valueEn

                objectName: card.rowName
                width: parent.width
                implicitHeight: Math.max(label.implicitHeight, value.implicitHeight)

                VelkText {
                    id: label
                    objectName: "label"
                    anchors.verticalCenter: parent.verticalCenter
                    width: Math.min(implicitWidth, line.width - value.implicitWidth - VDS.Space.xs)
                    elide: Text.ElideRight
                    text: Lang.t(line.labelZh, line.labelEn)
                    textFormat: Text.PlainText
                    font: VDS.font(12.5)
                    color: VDS.C.text2
                }
                VelkText {
                    id: value
                    objectName: "value"
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    text: Lang.t(line.valueZh, line.valueEn)
                    textFormat: Text.PlainText
                    font: VDS.font(12.5, Font.Medium, true)
                    color: VDS.C.text1
                }
            }
        }
    }
}
