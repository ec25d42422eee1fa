import QtQuick
import Velk.Design

// One folder of the scope tree, indented by its depth: the disclosure
// button (a dot for a folder without sub-folders), then the tick, title and
// system badge, which toggle the tick together.
Item {
    id: root
    required property string key
    required property string title
    required property bool isSystem
    required property int depth
    required property bool hasChildren
    required property bool isExpanded
    required property bool isSelected

    signal toggleSelected()
    signal toggleExpanded()

    objectName: "largeFiles.scope.row"
    implicitHeight: Math.max(disclosure.height, label.implicitHeight) + 8

    Row {
        id: content
        x: VDS.Space.m * root.depth
        width: Math.max(0, root.width - x)
        anchors.verticalCenter: parent.verticalCenter
        spacing: VDS.Space.xs

        Item {
            id: disclosure
            objectName: "largeFiles.scope.disclosure"
            anchors.verticalCenter: parent.verticalCenter
            width: 14
            height: 14
            enabled: root.hasChildren
            Accessible.role: Accessible.Button
            Accessible.name: root.isExpanded ? Lang.t("收起", "Collapse") : Lang.t("展开", "Expand")
            Accessible.onPressAction: ButtonPress.act(disclosure, () => root.toggleExpanded())

            SymbolIcon {
                anchors.centerIn: parent
                name: !root.hasChildren ? "circle.fill" : root.isExpanded ? "chevron.down" : "chevron.right"
                size: root.hasChildren ? 10 : 4
                font.weight: Font.DemiBold
                color: VDS.C.text3
            }
            MouseArea {
                anchors.fill: parent
                anchors.margins: -4
                onClicked: root.toggleExpanded()
            }
        }
        Item {
            id: scopeLabel
            objectName: "largeFiles.scope.label"
            anchors.verticalCenter: parent.verticalCenter
            width: Math.max(0, content.width - disclosure.width - content.spacing)
            height: label.implicitHeight
            Accessible.role: Accessible.CheckBox
            Accessible.name: root.title
            Accessible.checkable: true
            Accessible.checked: root.isSelected
            Accessible.onToggleAction: ButtonPress.act(scopeLabel, () => root.toggleSelected())
            Accessible.onPressAction: ButtonPress.act(scopeLabel, () => root.toggleSelected())

            Row {
                id: label
                anchors.verticalCenter: parent.verticalCenter
                spacing: VDS.Space.s

                VelkCheckbox {
                    objectName: "largeFiles.scope.tick"
                    anchors.verticalCenter: parent.verticalCenter
                    width: 13
                    height: 13
                    isChecked: root.isSelected
                    interactive: false
                }
                VelkNameText {
                    anchors.verticalCenter: parent.verticalCenter
                    name: root.title
                    // The row carries it as its name.
                    Accessible.ignored: true
                    shortening: Text.ElideNone
                    font: VDS.body(root.isSelected ? Font.Medium : Font.Normal)
                    color: VDS.C.text1
                }
                VelkText {
                    anchors.verticalCenter: parent.verticalCenter
                    visible: root.isSystem
                    text: Lang.t("系统", "System")
                    textFormat: Text.PlainText
                    font: VDS.font(11, Font.Medium)
                    color: VDS.C.amber
                }
            }
            MouseArea {
                anchors.fill: parent
                onClicked: root.toggleSelected()
            }
        }
    }
}
