import QtQuick
import Velk.Design

// One live figure of the process: its title, the value (shrinking to fit),
// an optional line below it, and the recent history on an automatic scale.
VelkCard {
    id: root
    property string title
    property string value
    property string subtitle
    property list<real> values
    property color color: VDS.C.accent

    Column {
        width: root.availableWidth
        spacing: 12

        VelkText {
            width: parent.width
            text: root.title
            textFormat: Text.PlainText
            font: VDS.font(11, Font.Medium)
            color: VDS.C.text3
            elide: Text.ElideRight
        }
        Column {
            width: parent.width
            spacing: 5
            VelkText {
                objectName: root.objectName + ".value"
                width: parent.width
                height: 34
                text: root.value
                textFormat: Text.PlainText
                font: VDS.font(27, Font.DemiBold, true)
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: Math.floor(27 * 0.75)
                verticalAlignment: Text.AlignVCenter
                color: VDS.C.text1
                maximumLineCount: 1
            }
            VelkText {
                objectName: root.objectName + ".subtitle"
                width: parent.width
                visible: root.subtitle.length > 0
                text: root.subtitle
                textFormat: Text.PlainText
                font: VDS.font(10.5, Font.Normal, true)
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: Math.floor(10.5 * 0.8)
                color: VDS.C.text3
                maximumLineCount: 1
            }
        }
        Sparkline {
            objectName: root.objectName + ".history"
            width: parent.width
            height: 48
            values: root.values
            color: root.color
            // A new sample every 2 s: each is drawn in one step, so the
            // list idles without drawing frames in between.
            animated: false
        }
    }
}
