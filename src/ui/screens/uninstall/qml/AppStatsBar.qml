import QtQuick
import QtQuick.Layouts
import Velk.Design
import Velk.Models
import Velk.AppUninstall

// Above the list while anything was freed or is selected: the bytes all
// uninstalls of this screen have freed, and how many applications are
// selected (searched away or not).
Item {
    id: root
    required property AppUninstallViewModel viewModel
    required property AppUninstallScreen screen

    implicitHeight: Math.max(freed.visible ? freed.implicitHeight : 0, selection.implicitHeight) + 18

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: VDS.Space.l
        anchors.rightMargin: VDS.Space.l
        anchors.topMargin: 9
        anchors.bottomMargin: 9
        spacing: 12

        VelkBadge {
            id: freed
            objectName: "appUninstall.freed"
            visible: root.screen.totalFreed >= 1
            text: Lang.t("已释放 ", "Freed ") + Format.bytes(root.screen.totalFreed)
            color: VDS.C.green
            monospaced: true
        }
        Item {
            Layout.fillWidth: true
        }
        VelkText {
            id: selection
            objectName: "appUninstall.selectionCount"
            visible: root.viewModel.selectedCount > 0
            text: Lang.t("已选 " + root.viewModel.selectedCount, root.viewModel.selectedCount + " selected")
            textFormat: Text.PlainText
            font: VDS.font(11.5, Font.Medium, true)
            color: VDS.C.accent
        }
    }
    VelkMetallicDivider {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }
}
