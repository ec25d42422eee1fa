pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.Models
import Velk.Privacy

// The Privacy section: the privacy targets (browser histories and caches,
// the mail downloads, recent items), scanned on request, selected by the
// user and moved to the Trash after a confirmation. Scanning and cleaning are
// the window's view model's; the screen keeps whether the confirmation is up.
Item {
    id: root
    required property PrivacyViewModel viewModel
    property bool confirmClean: false
    readonly property bool busy: viewModel.isScanning || viewModel.isCleaning
    readonly property PrivacyScreen screen: screenState

    objectName: "privacy"
    implicitWidth: 720
    implicitHeight: 560

    PrivacyScreen {
        id: screenState
        viewModel: root.viewModel
    }

    PageHeader {
        id: header
        objectName: "privacy.header"
        anchors.left: parent.left
        anchors.right: parent.right
        title: Lang.t("隐私清理", "Privacy")
        subtitle: root.viewModel.hasScanned ? Format.bytes(screenState.totalFoundSize) : ""

        VelkGhostButton {
            objectName: "privacy.all"
            text: Lang.t("全选", "All")
            onClicked: root.viewModel.setAllSelected(true)
        }
        VelkGhostButton {
            objectName: "privacy.none"
            visible: root.viewModel.hasSelection
            text: Lang.t("清空选择", "None")
            onClicked: screenState.selectNone()
        }
        VelkPrimaryButton {
            objectName: "privacy.clean"
            visible: root.viewModel.hasSelection
            enabled: root.viewModel.canClean
            destructive: true
            busy: root.viewModel.isCleaning
            symbol: "trash"
            text: Lang.t("清理 (" + Format.bytes(screenState.selectedSize) + ")",
                         "Clean (" + Format.bytes(screenState.selectedSize) + ")")
            onClicked: root.confirmClean = true
        }
        VelkPrimaryButton {
            objectName: "privacy.scan"
            enabled: !root.busy
            busy: root.viewModel.isScanning
            symbol: "magnifyingglass"
            text: root.viewModel.isScanning ? Lang.t("扫描中", "Scanning") : Lang.t("扫描", "Scan")
            onClicked: root.viewModel.scan()
        }
    }

    VelkText {
        id: note
        objectName: "privacy.note"
        anchors.top: header.bottom
        anchors.topMargin: 8
        anchors.left: parent.left
        anchors.leftMargin: VDS.Space.l
        anchors.right: parent.right
        anchors.rightMargin: VDS.Space.l
        horizontalAlignment: Text.AlignHCenter
        text: Lang.t("先扫描再选择；邮件下载需单独勾选。清理前请退出相关浏览器。",
                     "Scan before selecting. Select Mail Downloads explicitly. Quit affected browsers before cleaning.")
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        font: VDS.font(11)
        color: VDS.C.text3
    }

    Flickable {
        objectName: "privacy.list"
        anchors.top: note.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        clip: true
        contentWidth: width
        contentHeight: rows.implicitHeight + 2 * VDS.Space.m
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        Column {
            id: rows
            x: VDS.Space.l
            y: VDS.Space.m
            width: parent.width - 2 * VDS.Space.l
            spacing: 6

            Repeater {
                model: root.viewModel.items
                delegate: PrivacyItemRow {
                    id: row
                    width: rows.width
                    enabled: !root.busy
                    onToggleRequested: screenState.toggle(row.index)
                }
            }
        }
    }

    // After a clean that left files behind, once its rescan has ended.
    // However it closes, the count goes back to 0.
    VelkAlert {
        objectName: "privacy.failureAlert"
        presented: screenState.reportedFailures > 0
        title: Lang.t("部分文件未能清理", "Some Files Could Not Be Cleaned")
        message: Lang.t("未成功清理 " + Format.decimal(screenState.reportedFailures)
                        + " 个文件。已重新扫描，请检查访问权限或文件是否正在使用。",
                        Format.decimal(screenState.reportedFailures)
                        + " files could not be cleaned. Results were refreshed; check access permissions or whether files are in use.")
        onClosed: screenState.clearFailures()

        AlertButton {
            text: Lang.t("好", "OK")
            role: AlertButton.Default
        }
    }

    VelkAlert {
        objectName: "privacy.cleanAlert"
        presented: root.confirmClean
        title: Lang.t("清理所选隐私项？", "Clean Selected Privacy Data?")
        message: Lang.t("仅将扫描到的所选文件移至废纸篓；邮件下载可能是唯一副本。请先退出相关浏览器。",
                        "Only scanned, selected files will be moved to Trash. Mail downloads may be your only copy. Quit affected browsers first.")
        onClosed: root.confirmClean = false

        AlertButton {
            text: Lang.t("取消", "Cancel")
            role: AlertButton.Cancel
        }
        AlertButton {
            text: Lang.t("清理", "Clean")
            role: AlertButton.Destructive
            onTriggered: root.viewModel.clean()
        }
    }
}
