import QtQuick
import Velk.Design

// Metric card: a tinted symbol tile and the title, the value below, and an
// optional subtitle, on a translucent surface.
Item {
    id: root
    property string title
    property string value
    property string icon
    property color color: SystemColors.accent
    property string subtitle

    implicitWidth: column.implicitWidth + 28
    implicitHeight: column.implicitHeight + 28

    Rectangle {
        anchors.fill: parent
        radius: 12
        color: SystemColors.regularMaterial
        border.width: 1
        border.color: VDS.withOpacity(SystemColors.label, 0.06)
    }
    Column {
        id: column
        objectName: "statCard.rows"
        x: 14
        y: 14
        width: root.width - 28
        spacing: 10

        Row {
            spacing: 8
            Rectangle {
                width: 28
                height: 28
                radius: 7
                color: VDS.withOpacity(root.color, 0.12)
                SymbolIcon {
                    anchors.centerIn: parent
                    name: root.icon
                    size: 15
                    color: root.color
                }
            }
            VelkText {
                anchors.verticalCenter: parent.verticalCenter
                text: root.title
                textFormat: Text.PlainText
                font: VDS.font(12, Font.Medium)
                color: SystemColors.secondaryLabel
            }
        }
        VelkText {
            text: root.value
            textFormat: Text.PlainText
            font: VDS.font(22, Font.Bold)
            color: SystemColors.label
        }
        VelkText {
            visible: root.subtitle.length > 0
            text: root.subtitle
            textFormat: Text.PlainText
            font: VDS.font(11)
            color: SystemColors.secondaryLabel
        }
    }
}
