import QtQuick
import Velk.Design

// A label over its value; the value can be selected.
Column {
    id: root
    property string label
    property string value

    spacing: 5

    VelkText {
        text: root.label
        textFormat: Text.PlainText
        font: VDS.font(11, Font.Medium)
        color: VDS.C.text3
    }
    TextInput {
        objectName: root.objectName + ".value"
        readOnly: true
        selectByMouse: true
        text: root.value
        font: VDS.font(11, Font.Medium, true)
        color: VDS.C.text2
        selectionColor: VDS.withOpacity(VDS.C.accent, 0.35)
        selectedTextColor: VDS.C.text1
    }
}
