pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design

// One collapsible group of the category list: a header with the chevron,
// the title, the group's total and, for a partial selection, the selected
// size; below it the rows while open. A click on the header opens or closes
// the group on a spring; rows that arrive, and a scan that opens the group
// again, take their place at once, so the list's rows stay where it put them.
Column {
    id: root
    property string title
    property bool isExpanded: true
    property double totalBytes: 0
    property double selectedBytes: 0
    default property alias content: rowsColumn.data
    // True only while a header click changes isExpanded.
    property bool toggling: false

    signal toggleExpanded()

    function toggleFromHeader() {
        toggling = true
        toggleExpanded()
        toggling = false
    }

    spacing: 0

    Item {
        id: header
        objectName: "systemJunk.group.header"
        width: root.width
        implicitHeight: headerRow.implicitHeight + 20
        Accessible.role: Accessible.Button
        Accessible.name: root.title
        Accessible.onPressAction: ButtonPress.act(header, () => root.toggleFromHeader())

        Rectangle {
            anchors.fill: parent
            radius: VDS.Radius.s
            color: headerHover.hovered ? VDS.C.hover : "transparent"
        }
        Row {
            id: headerRow
            anchors.left: parent.left
            anchors.leftMargin: VDS.Space.m
            anchors.right: parent.right
            anchors.rightMargin: VDS.Space.m
            anchors.verticalCenter: parent.verticalCenter
            spacing: 8

            SymbolIcon {
                objectName: "systemJunk.group.chevron"
                anchors.verticalCenter: parent.verticalCenter
                width: 14
                name: root.isExpanded ? "chevron.down" : "chevron.right"
                size: 10
                font.weight: Font.DemiBold
                color: VDS.C.text3
            }
            VelkText {
                id: titleText
                objectName: "systemJunk.group.title"
                // The row carries it as its name.
                Accessible.ignored: true
                anchors.verticalCenter: parent.verticalCenter
                width: Math.min(Math.ceil(implicitWidth),
                                Math.max(0, headerRow.width - 14 - totals.implicitWidth - 3 * headerRow.spacing))
                text: root.title
                textFormat: Text.PlainText
                font: VDS.font(13, Font.DemiBold)
                color: VDS.C.text1
                maximumLineCount: 1
                elide: Text.ElideRight
            }
            Item {
                width: Math.max(8, headerRow.width - 14 - titleText.width - totals.implicitWidth - 3 * headerRow.spacing)
                height: 1
            }
            Row {
                id: totals
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4

                VelkText {
                    objectName: "systemJunk.group.total"
                    text: Format.bytes(root.totalBytes)
                    textFormat: Text.PlainText
                    font: VDS.font(11.5, Font.Medium, true)
                    color: VDS.C.text3
                }
                VelkText {
                    objectName: "systemJunk.group.selected"
                    visible: root.selectedBytes > 0 && root.selectedBytes !== root.totalBytes
                    text: "· " + Format.bytes(root.selectedBytes)
                    textFormat: Text.PlainText
                    font: VDS.font(11.5, Font.DemiBold, true)
                    color: VDS.C.accent
                }
            }
        }
        HoverHandler {
            id: headerHover
        }
        TapHandler {
            onTapped: root.toggleFromHeader()
        }
    }

    Item {
        id: body
        objectName: "systemJunk.group.rows"
        // How far the group is open, from 0 (closed) to 1.
        property real openness: root.isExpanded ? 1 : 0
        width: root.width
        height: body.openness * rowsColumn.implicitHeight
        visible: height > 0
        clip: true

        Behavior on openness {
            enabled: root.toggling
            SpringAnimation {
                spring: Motion.sectionRow.spring
                damping: Motion.sectionRow.damping
                mass: Motion.sectionRow.mass
                epsilon: 0.0005
            }
        }

        Column {
            id: rowsColumn
            x: 22
            width: parent.width - 22
            spacing: 2
        }
    }
}
