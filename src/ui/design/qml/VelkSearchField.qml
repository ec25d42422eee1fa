import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Velk.Design

// Search field: magnifying glass, bare text field and, while there is text, a
// clear button. The glass and the border take the accent while focused.
Rectangle {
    id: root
    property string placeholder
    property alias text: field.text
    readonly property bool isFocused: field.activeFocus

    implicitWidth: 144
    implicitHeight: VDS.Measure.control
    radius: VDS.Radius.s
    color: VDS.C.bg2
    border.width: 1
    border.color: isFocused ? VDS.C.accent : VDS.C.border

    baselineOffset: row.y + field.y + field.baselineOffset
    // Focus given to the field as a whole goes to its text.
    onActiveFocusChanged: if (activeFocus) field.forceActiveFocus()

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: VDS.Space.s
        anchors.rightMargin: VDS.Space.s
        spacing: VDS.Space.xs

        SymbolIcon {
            name: "magnifyingglass"
            size: VDS.TypeScale.body
            color: root.isFocused ? VDS.C.accent : VDS.C.text3
        }
        T.TextField {
            id: field
            objectName: "searchField.input"
            Layout.fillWidth: true
            Layout.fillHeight: true
            implicitWidth: 21
            padding: 0
            font: VDS.body()
            color: VDS.C.text1
            selectionColor: VDS.withOpacity(VDS.C.accent, 0.35)
            selectedTextColor: VDS.C.text1
            placeholderText: root.placeholder
            placeholderTextColor: VDS.C.text3
            // Named by what it asks for, in the language shown.
            Accessible.name: root.placeholder
            verticalAlignment: TextInput.AlignVCenter
            clip: true

            Text {
                // The template draws no placeholder of its own.
                anchors.fill: parent
                visible: field.length === 0 && !field.preeditText
                text: field.placeholderText
                textFormat: Text.PlainText
                font: field.font
                color: field.placeholderTextColor
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
            }
        }
        SymbolIcon {
            id: clear
            objectName: "searchField.clear"
            visible: field.length > 0
            name: "xmark"
            size: VDS.TypeScale.body
            color: VDS.C.text3
            Accessible.role: Accessible.Button
            Accessible.name: "Clear"
            Accessible.onPressAction: ButtonPress.act(clear, () => field.clear())

            MouseArea {
                anchors.fill: parent
                anchors.margins: -4
                onClicked: field.clear()
            }
        }
    }
}
