import QtQuick
import Velk.Design
import Velk.Processes

// A metric's title, with its hint when it has one, over its value.
Column {
    id: root
    property string title
    property string value
    property string hint

    spacing: 8

    Row {
        spacing: 4
        VelkText {
            anchors.verticalCenter: parent.verticalCenter
            text: root.title
            textFormat: Text.PlainText
            font: VDS.font(11, Font.Medium)
            color: VDS.C.text3
        }
        ProcessHoverHint {
            objectName: root.objectName + ".hint"
            anchors.verticalCenter: parent.verticalCenter
            visible: root.hint.length > 0
            text: root.hint
        }
    }
    VelkText {
        objectName: root.objectName + ".value"
        text: root.value
        textFormat: Text.PlainText
        font: VDS.font(16, Font.DemiBold, true)
        color: VDS.C.text1
        maximumLineCount: 1
    }
}
