import QtQuick
import Velk.Design

// Outlined label: 13-pt medium text in `color` inside a border of the same
// colour at 0.35. 34 pt tall unless given another height.
Item {
    id: root
    property string text
    property color color: VDS.C.text2
    property bool monospaced: false

    implicitHeight: VDS.Measure.control
    implicitWidth: label.implicitWidth + 2 * VDS.Space.s
    baselineOffset: label.y + label.baselineOffset

    VelkText {
        id: label
        objectName: "badge.text"
        anchors.centerIn: parent
        text: root.text
        textFormat: Text.PlainText
        font: VDS.body(Font.Medium)
        color: root.color
    }
    Rectangle {
        objectName: "badge.outline"
        anchors.fill: parent
        radius: VDS.Radius.s
        color: "transparent"
        border.width: 1
        border.color: VDS.withOpacity(root.color, 0.35)
    }
}
