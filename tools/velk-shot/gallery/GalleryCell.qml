import QtQuick
import Velk.Design

// A component of the gallery with a caption naming its state.
Column {
    id: root
    property string caption
    default property alias content: holder.data

    spacing: VDS.Space.xxs

    Item {
        id: holder
        width: Math.max(childrenRect.width, 1)
        height: Math.max(childrenRect.height, 1)
    }
    Text {
        text: root.caption
        textFormat: Text.PlainText
        font: VDS.font(11)
        color: VDS.C.text4
    }
}
