import QtQuick
import QtQuick.Layouts
import Velk.Design

// Title band at the top of a section screen: title, optional subtitle and the
// trailing controls on one baseline (at least 21 apart), above a tapered
// divider. `accent` and
// `icon` are kept for the callers but not drawn.
Item {
    id: root
    property string title
    property string subtitle
    property color accent: VDS.C.accent
    property string icon
    default property alias trailing: trailingRow.data

    implicitWidth: row.implicitWidth + 2 * VDS.Space.l
    implicitHeight: row.implicitHeight + VDS.Space.l + VDS.Space.m

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: VDS.Space.l
        anchors.rightMargin: VDS.Space.l
        anchors.topMargin: VDS.Space.l
        anchors.bottomMargin: VDS.Space.m
        spacing: VDS.Space.m

        Text {
            objectName: "pageHeader.title"
            Layout.alignment: Qt.AlignBaseline
            Layout.fillWidth: !(root.subtitle.length > 0)
            Layout.minimumWidth: implicitWidth
            text: root.title
            textFormat: Text.PlainText
            font: VDS.title(Font.Medium)
            color: VDS.C.text1
        }
        Text {
            objectName: "pageHeader.subtitle"
            visible: root.subtitle.length > 0
            Layout.alignment: Qt.AlignBaseline
            Layout.fillWidth: true
            Layout.minimumWidth: 0
            text: root.subtitle
            textFormat: Text.PlainText
            font: VDS.body()
            color: VDS.C.text3
            maximumLineCount: 1
            elide: Text.ElideRight
        }
        Row {
            id: trailingRow
            objectName: "pageHeader.trailing"
            visible: children.length > 0
            Layout.alignment: Qt.AlignBaseline
            spacing: VDS.Space.s
            baselineOffset: children.length > 0 ? children[0].y + children[0].baselineOffset : 0
        }
    }

    VelkMetallicDivider {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        inset: VDS.Space.l
    }
}
