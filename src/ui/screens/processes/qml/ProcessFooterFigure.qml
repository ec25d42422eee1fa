import QtQuick
import Velk.Design

// One memory figure: its label, then its value in regular weight.
Row {
    id: root
    property string label
    property string value

    spacing: VDS.Space.s

    VelkText {
        text: root.label
        textFormat: Text.PlainText
        font: VDS.font(11, Font.Normal)
        color: VDS.C.text3
    }
    VelkText {
        objectName: root.objectName + ".value"
        text: root.value
        textFormat: Text.PlainText
        font: VDS.font(11, Font.Normal)
        color: VDS.C.text1
    }
}
