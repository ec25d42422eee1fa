import QtQuick
import Velk.Design

// Centred placeholder for an empty list: symbol, title, optional subtitle and
// the actions, in the middle of whatever space it is given. `color` is kept
// for the callers but the symbol is drawn in text3.
Item {
    id: root
    property string icon
    property color color: VDS.C.accent
    property string title
    property string subtitle
    default property alias actions: actionColumn.data
    // The width the texts may take: what the frame leaves inside its padding.
    readonly property real room: Math.max(0, width - 2 * VDS.Space.xl)

    implicitWidth: column.implicitWidth + 2 * VDS.Space.xl
    implicitHeight: column.implicitHeight + 2 * VDS.Space.xl

    Column {
        id: column
        anchors.centerIn: parent
        spacing: VDS.Space.l

        Item {
            width: 89
            height: 89
            anchors.horizontalCenter: parent.horizontalCenter
            SymbolIcon {
                anchors.centerIn: parent
                name: root.icon
                size: VDS.TypeScale.display
                color: VDS.C.text3
            }
        }
        Column {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: VDS.Space.xs
            VelkText {
                objectName: "emptyState.title"
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(Math.ceil(implicitWidth), root.room)
                text: root.title
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                font: VDS.title(Font.Medium)
                color: VDS.C.text1
            }
            VelkText {
                objectName: "emptyState.subtitle"
                visible: root.subtitle.length > 0
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(Math.ceil(implicitWidth), VDS.Measure.column, root.room)
                text: root.subtitle
                textFormat: Text.PlainText
                font: VDS.body()
                color: VDS.C.text3
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
            }
        }
        Column {
            id: actionColumn
            visible: children.length > 0
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: VDS.Space.l
        }
    }
}
