import QtQuick
import Velk.Design

// One statistic of the summary bar: the label, then the value in its colour.
Row {
    id: root
    property string label
    property string value
    property color color: VDS.C.text1

    spacing: 6

    VelkText {
        anchors.baseline: valueText.baseline
        text: root.label
        textFormat: Text.PlainText
        font: VDS.font(11.5)
        color: VDS.C.text3
    }
    VelkText {
        id: valueText
        objectName: root.objectName.length > 0 ? root.objectName + ".value" : ""
        text: root.value
        textFormat: Text.PlainText
        font: VDS.font(12, Font.DemiBold, true)
        color: root.color
    }
}
