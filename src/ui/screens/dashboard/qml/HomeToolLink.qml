import QtQuick
import QtQuick.Templates as T
import Velk.Design

// A full-width row linking to one section: its symbol, its title and a
// chevron. Filled under the pointer; an accent ring while it has the
// keyboard's focus.
T.AbstractButton {
    id: root
    // Case name of the section, and its identifier for title and symbol.
    required property string name
    required property string sectionId

    // It draws its own ring, inside its bounds.
    readonly property bool drawsFocusRing: true

    objectName: "dashboard.tool." + name
    hoverEnabled: true
    focusPolicy: Qt.StrongFocus
    leftPadding: VDS.Space.xs
    rightPadding: VDS.Space.xs
    topPadding: 0
    bottomPadding: 0
    implicitWidth: leftPadding + rightPadding + symbol.width + title.implicitWidth + chevron.implicitWidth
        + 2 * VDS.Space.s + VDS.Space.xs
    implicitHeight: 44
    text: Lang.sectionTitle(sectionId)
    Accessible.name: text
    Accessible.onPressAction: ButtonPress.click(root)

    background: Rectangle {
        color: root.hovered ? VDS.C.hover : "transparent"
        Rectangle {
            objectName: "dashboard.tool.focusRing"
            anchors.fill: parent
            radius: VDS.Radius.s
            color: "transparent"
            border.width: 1
            border.color: VDS.C.accent
            opacity: root.visualFocus ? 0.8 : 0
        }
    }

    // The label, laid out inside the padding.
    Item {
        x: root.leftPadding
        width: root.width - root.leftPadding - root.rightPadding
        height: root.height

        SymbolIcon {
            id: symbol
            anchors.left: parent.left
            anchors.verticalCenter: parent.verticalCenter
            width: 18
            name: AppSection.icon(root.sectionId)
            size: 14
            color: VDS.C.accent
        }
        VelkText {
            id: title
            // The control carries it as its name.
            Accessible.ignored: true
            anchors.left: symbol.right
            anchors.leftMargin: VDS.Space.s
            anchors.right: chevron.left
            anchors.rightMargin: VDS.Space.s + VDS.Space.xs
            anchors.verticalCenter: parent.verticalCenter
            text: root.text
            textFormat: Text.PlainText
            font: VDS.font(14, Font.Medium)
            color: VDS.C.text1
            maximumLineCount: 1
            elide: Text.ElideRight
        }
        SymbolIcon {
            id: chevron
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            name: "chevron.right"
            size: 10
            font.weight: Font.DemiBold
            color: VDS.C.text4
        }
    }
}
