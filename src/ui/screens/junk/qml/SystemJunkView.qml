pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.Models
import Velk.SystemJunk

// The System Junk section: scans the junk categories, shows what was found
// per group and category, lets the user choose, confirms and cleans, and
// reports the outcome. All scanning and deleting is the shared view model's;
// the screen keeps which groups are open and whether the confirmation is up.
Item {
    id: root
    required property SystemJunkViewModel viewModel
    required property SystemMonitor monitor
    // Set while the dashboard's review action opened the section; the shell
    // clears it when another section is chosen.
    property bool deepCleanEntry: false
    property bool confirmClean: false
    readonly property SystemJunkScreen screen: screenState
    readonly property bool idle: !viewModel.isScanning && !viewModel.scanComplete

    objectName: "systemJunk"
    implicitWidth: 720
    implicitHeight: 560

    SystemJunkScreen {
        id: screenState
        viewModel: root.viewModel
    }
    onDeepCleanEntryChanged: screenState.deepCleanEntryChanged(root.deepCleanEntry)

    PageHeader {
        id: header
        objectName: "systemJunk.header"
        anchors.left: parent.left
        anchors.right: parent.right
        title: root.deepCleanEntry ? Lang.t("深度清洁", "Deep Clean") : Lang.t("系统清理", "System Cleanup")
        subtitle: root.deepCleanEntry ? Lang.t("未删除项已默认选中", "Remaining items selected by default") : ""

        VelkPrimaryButton {
            id: cleanButton
            objectName: "systemJunk.clean"
            visible: root.viewModel.scanComplete && root.screen.selectedSize > 0
            enabled: !root.viewModel.isCleaning
            destructive: true
            text: Lang.t("清理", "Clean")
            contentItem: Row { // qmllint disable deferred-property-id
                spacing: 6
                baselineOffset: label.y + label.baselineOffset
                Spinner {
                    objectName: "systemJunk.clean.spinner"
                    anchors.verticalCenter: parent.verticalCenter
                    visible: root.viewModel.isCleaning
                    color: cleanButton.foreground
                }
                ButtonLabel {
                    id: label
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: root.viewModel.isCleaning ? "" : "trash"
                    text: cleanButton.text
                    color: cleanButton.foreground
                }
            }
            onClicked: root.confirmClean = true
        }
        VelkTintedButton {
            objectName: "systemJunk.stop"
            visible: root.viewModel.isScanning
            symbol: "stop.fill"
            text: Lang.t("停止", "Stop")
            onClicked: root.viewModel.stopScan()
        }
        VelkPrimaryButton {
            objectName: "systemJunk.scan"
            visible: !root.viewModel.isScanning
            symbol: "magnifyingglass"
            text: root.viewModel.scanComplete ? Lang.t("重扫", "Rescan") : Lang.t("扫描", "Scan")
            onClicked: root.viewModel.startScan(false)
        }
    }

    JunkIdleState {
        objectName: "systemJunk.idle"
        visible: root.idle
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        viewModel: root.viewModel
        screen: screenState
    }

    Item {
        objectName: "systemJunk.content"
        visible: !root.idle
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom

        JunkSummaryBar {
            id: summary
            objectName: "systemJunk.summary"
            anchors.left: parent.left
            anchors.right: parent.right
            viewModel: root.viewModel
            screen: screenState
        }
        JunkCategoryList {
            objectName: "systemJunk.list"
            anchors.top: summary.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            viewModel: root.viewModel
            screen: screenState
        }
    }

    // The clean confirmation. Besides the size, it names the selected
    // categories whose items people often keep (Trash, Downloads, ...), as
    // those go for good as well, and warns about Derived Data while Xcode
    // may hold it.
    VelkAlert {
        id: cleanAlert
        objectName: "systemJunk.cleanAlert"
        presented: root.confirmClean
        title: Lang.t("清理所选垃圾？", "Clean Selected Junk?")
        message: Lang.t("永久删除已选中的 " + Format.bytes(root.screen.selectedSize) + " 缓存与临时文件。",
                        "Permanently delete " + Format.bytes(root.screen.selectedSize)
                        + " of selected caches and logs.")
                 + (screenState.confirmationCategories.length > 0
                    ? "\n\n" + Lang.t("其中还包括：" + screenState.confirmationCategories
                                      + "。这些项目同样会被永久删除，不会移到废纸篓。",
                                      "This also includes: " + screenState.confirmationCategoriesEnglish
                                      + ". These items are deleted permanently too, not moved to the Trash.")
                    : "")
                 + (root.viewModel.selectedContainsDerivedData
                    ? "\n\n" + Lang.t("删除 Xcode 派生数据前请先完全退出 Xcode，否则可能删不干净、可用空间不变。",
                                      "Quit Xcode completely before deleting Derived Data, or files may stay locked and free space may not change.")
                    : "")
        onClosed: root.confirmClean = false

        AlertButton {
            text: Lang.t("取消", "Cancel")
            role: AlertButton.Cancel
        }
        AlertButton {
            text: Lang.t("清理", "Clean")
            role: AlertButton.Destructive
            onTriggered: {
                root.viewModel.clean()
                root.monitor.refreshDiskAfterCleanup()
            }
        }
    }

    // After a clean with failures. However it closes, it clears only the
    // failure it reports.
    VelkAlert {
        id: failureAlert
        objectName: "systemJunk.failureAlert"
        title: Lang.t("部分文件未能删除", "Some Files Could Not Be Deleted")
        message: Lang.t("未成功删除的文件仍保留在列表中，显示剩余的大小，只有确实删除的部分计入已释放空间：\n\n"
                        + screenState.failureLines,
                        "Files that could not be deleted remain in the list with what is left of them; only what "
                        + "was deleted counts as freed space:\n\n" + screenState.failureLinesEnglish)
        onClosed: root.viewModel.clearErrorMessage()

        AlertButton {
            text: Lang.t("好", "OK")
            role: AlertButton.Default
        }
    }

    // The outcome of each clean; closing it clears only the report.
    VelkAlert {
        id: resultAlert
        objectName: "systemJunk.resultAlert"
        title: Lang.t(screenState.reportTitle, screenState.reportTitleEnglish)
        message: Lang.t(screenState.reportMessage, screenState.reportMessageEnglish)
        onClosed: root.viewModel.clearCleanReport()

        AlertButton {
            text: Lang.t("好", "OK")
            role: AlertButton.Default
        }
    }

    // Both can fall due in one update; the window's host shows them in turn,
    // the failure first.
    function presentOutcome() {
        failureAlert.presented = root.viewModel.errorMessage !== undefined
        resultAlert.presented = root.viewModel.cleanReport !== undefined
    }
    Connections {
        target: root.viewModel
        function onErrorMessageChanged() { failureAlert.presented = root.viewModel.errorMessage !== undefined }
        function onCleanReportChanged() { resultAlert.presented = root.viewModel.cleanReport !== undefined }
    }
    Component.onCompleted: {
        presentOutcome()
        screenState.appear(root.deepCleanEntry)
    }
}
