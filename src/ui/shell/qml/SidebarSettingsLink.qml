import QtQuick
import QtQuick.Controls.Basic
import Velk.Design

// The footer's link to the Settings window: a gear when compact (with a
// tooltip), a gear and "Settings" aligned with the rows when expanded.
AbstractButton {
    id: link
    required property bool isCompact

    objectName: "sidebar.settings"
    // Expanded: the whole label, so the footer can make room for it.
    implicitWidth: isCompact ? VDS.Measure.control
                             : 2 + 28 + 3 * VDS.Space.s + Math.ceil(label.implicitWidth)
    implicitHeight: VDS.Measure.row
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.name: Lang.t("设置", "Settings")
    Accessible.onPressAction: ButtonPress.click(link)
    ToolTip.text: Lang.t("设置", "Settings")
    ToolTip.visible: isCompact && hovered
    ToolTip.delay: 600

    background: Rectangle {
        radius: link.isCompact ? VDS.Radius.xs : 0
        color: link.hovered ? (link.isCompact ? VDS.C.sidebarHover : VDS.C.hover) : "transparent"
    }

    contentItem: Item { // qmllint disable deferred-property-id
        SymbolIcon {
            visible: link.isCompact
            anchors.centerIn: parent
            name: "gearshape"
            size: VDS.TypeScale.body
            color: link.hovered ? VDS.C.text1 : VDS.C.text3
        }
        Row {
            visible: !link.isCompact
            anchors.fill: parent
            anchors.rightMargin: VDS.Space.s
            spacing: VDS.Space.s
            Item { width: 2; height: VDS.Space.l }
            SymbolIcon {
                width: 28
                height: 28
                anchors.verticalCenter: parent.verticalCenter
                name: "gearshape"
                size: 17
                color: link.hovered ? VDS.C.text1 : VDS.C.text3
            }
            Text {
                id: label
                objectName: "sidebar.settings.label"
                Accessible.ignored: true
                width: parent.width - 2 - 28 - 2 * VDS.Space.s
                anchors.verticalCenter: parent.verticalCenter
                text: Lang.t("设置", "Settings")
                textFormat: Text.PlainText
                font: VDS.body(Font.Medium)
                color: link.hovered ? VDS.C.text1 : VDS.C.text2
                maximumLineCount: 1
                elide: Text.ElideRight
            }
        }
    }
}
