import QtQuick
import Velk.Design

// A titled group of the Settings page: the caption, then its rows. Groups
// draw no card or background.
Column {
    id: root
    property string title
    default property alias rows: content.data

    spacing: VDS.Space.s

    VelkText {
        objectName: "settings.groupTitle"
        text: root.title
        textFormat: Text.PlainText
        font: VDS.caption()
        color: VDS.C.text2
    }
    Column {
        id: content
        width: root.width
        spacing: VDS.Space.s
    }
}
