pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.Models
import Velk.Startup

// The Startup Items section: the launchd property lists of the user's and
// the machine's startup folders, to filter, select, switch on and off one
// by one or together, remove and reveal. Discovery and every change are the
// view model's; the screen keeps which removal awaits confirmation.
Item {
    id: root
    required property StartupViewModel viewModel
    required property DesktopActions desktop
    readonly property StartupScreen screen: screenState
    readonly property int itemCount: screenState.itemCount
    // A reload keeps the list on screen; the spinner only stands in for an
    // empty one.
    readonly property bool loadingMode: viewModel.isLoading && itemCount === 0
    readonly property bool listMode: itemCount > 0
    readonly property bool rowsEnabled: !viewModel.isApplyingBatch && !viewModel.isLoading

    objectName: "startup"
    implicitWidth: 720
    implicitHeight: 560

    StartupScreen {
        id: screenState
        viewModel: root.viewModel
    }
    Component.onCompleted: screenState.appear()

    PageHeader {
        id: header
        objectName: "startup.header"
        anchors.left: parent.left
        anchors.right: parent.right
        title: Lang.t("启动管理", "Startup")
        subtitle: root.itemCount > 0
                  ? Format.decimal(root.viewModel.enabledCount) + " / " + Format.decimal(root.itemCount)
                  : ""

        // With a selection the header holds six controls: the batch buttons
        // keep to narrow paddings and the symbol buttons are square, so the
        // title keeps its room at the window's smallest width.
        VelkSearchField {
            objectName: "startup.search"
            width: 155
            placeholder: Lang.t("搜索", "Search")
            text: root.viewModel.searchText
            onTextChanged: root.viewModel.searchText = text
        }
        VelkFilterChip {
            objectName: "startup.enabledOnly"
            text: Lang.t("仅已启用", "Enabled")
            checked: root.viewModel.onlyEnabled
            onToggled: (on) => { root.viewModel.onlyEnabled = on }
        }
        VelkPrimaryButton {
            objectName: "startup.batchDisable"
            leftPadding: VDS.Space.s
            rightPadding: VDS.Space.s
            visible: root.viewModel.selectedCount > 0
            enabled: !root.viewModel.isApplyingBatch
            text: Lang.t("禁用 (" + Format.decimal(root.viewModel.selectedCount) + ")",
                         "Disable (" + Format.decimal(root.viewModel.selectedCount) + ")")
            onClicked: root.viewModel.batchSetEnabled(false)
        }
        VelkTintedButton {
            objectName: "startup.batchEnable"
            leftPadding: VDS.Space.s
            rightPadding: VDS.Space.s
            visible: root.viewModel.selectedCount > 0
            enabled: !root.viewModel.isApplyingBatch
            text: Lang.t("启用", "Enable")
            onClicked: root.viewModel.batchSetEnabled(true)
        }
        VelkTintedButton {
            objectName: "startup.batchRemove"
            implicitWidth: implicitHeight
            visible: root.viewModel.selectedCount > 0
            enabled: !root.viewModel.isApplyingBatch
            destructive: true
            symbol: "trash"
            Accessible.name: Lang.t("移除", "Remove")
            onClicked: screenState.askBatchRemove()
        }
        VelkTintedButton {
            objectName: "startup.refresh"
            implicitWidth: implicitHeight
            symbol: "arrow.clockwise"
            Accessible.name: refreshTip.text
            onClicked: root.viewModel.load()
            VelkToolTip { id: refreshTip; text: Lang.t("刷新", "Refresh") }
        }
    }

    VelkText {
        id: note
        objectName: "startup.note"
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.topMargin: 8
        anchors.leftMargin: VDS.Space.l
        anchors.rightMargin: VDS.Space.l
        text: Lang.t("开关控制 launchd 后台配置，不代表应用内的登录启动偏好，也不会立即启动或结束已加载服务。",
                     "Switches control launchd configuration, not an app’s login preference. Loaded services are not immediately started or stopped.")
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        font: VDS.font(11)
        color: VDS.C.text3
    }

    Item {
        id: content
        anchors.top: note.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom

        Spinner {
            objectName: "startup.loading"
            anchors.centerIn: parent
            visible: root.loadingMode
            controlSize: Spinner.Regular
        }

        VelkEmptyState {
            objectName: "startup.empty"
            anchors.fill: parent
            visible: !root.loadingMode && !root.listMode
            icon: "bolt.circle"
            title: Lang.t("未发现启动项", "No Startup Items")

            VelkPrimaryButton {
                objectName: "startup.emptyRefresh"
                implicitHeight: 36
                leftPadding: VDS.Space.m + 6
                rightPadding: VDS.Space.m + 6
                text: Lang.t("刷新", "Refresh")
                onClicked: root.viewModel.load()
            }
        }

        StartupFilterBar {
            id: filterBar
            objectName: "startup.filterBar"
            anchors.left: parent.left
            anchors.right: parent.right
            visible: root.listMode
            viewModel: root.viewModel
            screen: screenState
        }

        ListView {
            id: list
            objectName: "startup.list"
            anchors.top: filterBar.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            visible: root.listMode
            clip: true
            spacing: 6
            topMargin: VDS.Space.m
            bottomMargin: VDS.Space.m
            boundsBehavior: Flickable.StopAtBounds
            model: root.viewModel.filteredItems
            ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

            delegate: StartupItemRow {
                x: VDS.Space.l
                width: ListView.view.width - 2 * VDS.Space.l
                enabled: root.rowsEnabled
                englishScope: screenState.englishScopeTitle(scope)
                isDaemon: scope === screenState.daemonScope
                onSelectToggled: root.viewModel.toggleSelect(plistPath)
                // The view model ignores it while a change runs or while the
                // item's status is unknown.
                onEnabledToggled: root.viewModel.toggleEnabled(plistPath)
                onRemoveRequested: screenState.askRemove(plistPath)
                onRevealRequested: root.desktop.reveal(plistPath)
            }
        }
    }

    // launchd did not take or confirm a change; the list shows what it read.
    VelkAlert {
        objectName: "startup.notUpdatedAlert"
        presented: root.viewModel.operationFailed
        title: Lang.t("启动配置未能更新", "Startup Configuration Not Updated")
        message: Lang.t("操作失败或刷新后未能验证状态，请检查权限。列表已重新读取，未保留推测状态。",
                        "The operation failed or could not be verified. Check permissions. The list was reloaded without assuming success.")
        onClosed: root.viewModel.operationFailed = false

        AlertButton {
            text: Lang.t("好", "OK")
        }
    }

    // One item's removal, named by its launchd label.
    VelkAlert {
        objectName: "startup.removeAlert"
        presented: screenState.removalPending
        title: Lang.t("移除启动项？", "Remove Startup Item?")
        message: Format.shownLine(screenState.removalLabel)
        onClosed: screenState.dismissRemove()

        AlertButton {
            text: Lang.t("取消", "Cancel")
            role: AlertButton.Cancel
        }
        AlertButton {
            text: Lang.t("移除", "Remove")
            role: AlertButton.Destructive
            onTriggered: screenState.confirmRemove()
        }
    }

    // The selection's removal, counting selected items the filters hide.
    VelkAlert {
        objectName: "startup.batchRemoveAlert"
        presented: screenState.batchRemovalPending
        title: Lang.t("批量移除启动项？", "Remove Selected Items?")
        message: Lang.t("已选 " + Format.decimal(root.viewModel.selectedCount) + " 项，系统项仅需授权一次。",
                        Format.decimal(root.viewModel.selectedCount) + " selected item(s).")
        onClosed: screenState.dismissBatchRemove()

        AlertButton {
            text: Lang.t("取消", "Cancel")
            role: AlertButton.Cancel
        }
        AlertButton {
            text: Lang.t("移除 (" + Format.decimal(root.viewModel.selectedCount) + ")",
                         "Remove (" + Format.decimal(root.viewModel.selectedCount) + ")")
            role: AlertButton.Destructive
            onTriggered: screenState.confirmBatchRemove()
        }
    }
}
