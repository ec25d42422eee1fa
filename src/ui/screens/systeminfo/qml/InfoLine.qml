import QtQuick
import Velk.Design

// One label/value row: the label at the leading edge, the value at the
// trailing edge on the label's first baseline, wrapping with its lines
// aligned to the trailing edge when the row is narrower than both; 3 above
// and below.
Item {
    id: row
    property string label
    property string value
    readonly property real gap: VDS.Space.m
    // Label, the smallest gap and the value, each on one line.
    readonly property real idealWidth: Math.ceil(labelText.implicitWidth) + gap + Math.ceil(valueMetrics.advanceWidth)

    implicitWidth: idealWidth
    implicitHeight: Math.max(labelText.implicitHeight, valueText.implicitHeight) + 6

    VelkText {
        id: labelText
        objectName: "label"
        y: 3
        text: row.label
        textFormat: Text.PlainText
        font: VDS.body()
        color: VDS.C.text3
    }

    TextMetrics {
        id: valueMetrics
        font: valueText.font
        text: row.value
    }

    VelkText {
        id: valueText
        objectName: "value"
        anchors.right: parent.right
        anchors.baseline: labelText.baseline
        width: Math.max(0, Math.min(Math.ceil(valueMetrics.advanceWidth) + 1, row.width - Math.ceil(labelText.implicitWidth) - row.gap))
        text: row.value
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignRight
        font: VDS.body(Font.Medium)
        color: VDS.C.text1
    }
}
