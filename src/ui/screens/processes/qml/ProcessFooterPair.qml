import QtQuick
import Velk.Design

// A label and its value in the value's colour, as every footer pair is drawn.
Row {
    id: root
    property string label
    property string value
    property color valueColor: VDS.C.text1

    spacing: 6

    VelkText {
        anchors.verticalCenter: parent.verticalCenter
        text: root.label
        textFormat: Text.PlainText
        font: VDS.font(11, Font.Medium)
        color: VDS.C.text3
    }
    VelkText {
        objectName: root.objectName + ".value"
        anchors.verticalCenter: parent.verticalCenter
        text: root.value
        textFormat: Text.PlainText
        font: VDS.font(11, Font.Medium)
        color: root.valueColor
    }
}
