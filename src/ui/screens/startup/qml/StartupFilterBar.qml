pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.Models
import Velk.Startup

// The bar over the startup list: the box that selects or clears what the
// filters show, a pill for all scopes and one per scope, each with its count,
// and the count of loaded items. The counts are over all items, whatever the
// search and filters.
Item {
    id: root
    required property StartupViewModel viewModel
    required property StartupScreen screen

    implicitHeight: row.implicitHeight + 2 * 9

    Row {
        id: row
        anchors.left: parent.left
        anchors.leftMargin: VDS.Space.l
        anchors.verticalCenter: parent.verticalCenter
        spacing: 8

        VelkCheckbox {
            objectName: "startup.selectAll"
            anchors.verticalCenter: parent.verticalCenter
            isChecked: root.viewModel.allFilteredSelected
            Accessible.name: Lang.t("全选", "Select All")
            onToggled: (checked) => root.viewModel.setSelectAllFiltered(checked)
        }
        StartupScopePill {
            objectName: "startup.scope"
            anchors.verticalCenter: parent.verticalCenter
            key: "all"
            text: Lang.t("全部 " + Format.decimal(root.screen.itemCount),
                         "All " + Format.decimal(root.screen.itemCount))
            active: root.viewModel.selectedScope === ""
            onPressed: root.viewModel.selectedScope = ""
        }
        Repeater {
            model: root.screen.scopes
            delegate: StartupScopePill {
                required property var modelData
                required property int index
                objectName: "startup.scope"
                anchors.verticalCenter: parent.verticalCenter
                key: modelData.key
                text: Lang.t(modelData.title, modelData.englishTitle) + " "
                      + Format.decimal(root.viewModel.scopeCounts[index] ?? 0)
                active: root.viewModel.selectedScope === modelData.key
                onPressed: root.viewModel.selectedScope = modelData.key
            }
        }
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: VDS.Space.l
        anchors.verticalCenter: parent.verticalCenter
        spacing: 5

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 5.5
            height: 5.5
            radius: 2.75
            color: VDS.C.green
        }
        VelkText {
            objectName: "startup.loadedCount"
            anchors.verticalCenter: parent.verticalCenter
            text: Lang.t("已加载 " + Format.decimal(root.viewModel.loadedCount),
                         Format.decimal(root.viewModel.loadedCount) + " loaded")
            textFormat: Text.PlainText
            font: VDS.font(11, Font.Normal, true)
            color: VDS.C.text3
        }
    }

    VelkMetallicDivider {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }
}
