pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.Models
import Velk.AppUninstall

// The App Uninstall section: lists the installed applications, searches,
// sorts and selects them, and uninstalls the selected ones with their
// marked leftovers after a confirmation that the deletion is permanent.
// Discovery, search, selection, leftovers and removal are the view model's;
// the screen keeps the order and whether the confirmation is up.
Item {
    id: root
    required property AppUninstallViewModel viewModel
    required property DesktopActions desktop
    property bool confirmUninstall: false
    readonly property AppUninstallScreen screen: screenState
    readonly property int selectedCount: viewModel.selectedCount
    readonly property bool busy: viewModel.isUninstalling || viewModel.isLoading

    objectName: "appUninstall"
    implicitWidth: 720
    implicitHeight: 560

    AppUninstallScreen {
        id: screenState
        viewModel: root.viewModel
    }

    PageHeader {
        id: header
        objectName: "appUninstall.header"
        anchors.left: parent.left
        anchors.right: parent.right
        title: Lang.t("应用卸载", "Applications")
        // Over all applications, whatever the search; bundles only.
        subtitle: screenState.appCount > 0
                  ? Format.decimal(screenState.appCount) + " · " + Format.bytes(screenState.totalBundleSize) : ""

        VelkSearchField {
            objectName: "appUninstall.search"
            width: 150
            placeholder: Lang.t("搜索应用", "Search")
            onTextChanged: root.viewModel.searchText = text
            Component.onCompleted: text = root.viewModel.searchText
        }
        AppSortControl {
            objectName: "appUninstall.sort"
            screen: screenState
        }
        VelkPrimaryButton {
            objectName: "appUninstall.uninstall"
            visible: root.selectedCount > 0
            enabled: !root.busy
            destructive: true
            text: Lang.t("卸载 (" + root.selectedCount + ")", "Uninstall (" + root.selectedCount + ")")
            symbol: "trash"
            busy: root.viewModel.isUninstalling
            onClicked: root.confirmUninstall = true
        }
        VelkTintedButton {
            objectName: "appUninstall.refresh"
            enabled: !root.busy
            symbol: "arrow.clockwise"
            Accessible.name: refreshTip.text
            onClicked: root.viewModel.load()

            VelkToolTip {
                id: refreshTip
                text: Lang.t("刷新", "Refresh")
            }
        }
    }

    Spinner {
        objectName: "appUninstall.loading"
        anchors.centerIn: content
        visible: root.viewModel.isLoading
        controlSize: Spinner.Regular
    }

    VelkEmptyState {
        objectName: "appUninstall.empty"
        anchors.fill: content
        visible: !root.viewModel.isLoading && screenState.appCount === 0
        icon: "xmark.app"
        title: Lang.t("扫描已安装应用", "Scan Applications")

        VelkPrimaryButton {
            objectName: "appUninstall.loadApps"
            implicitHeight: 36
            leftPadding: VDS.Space.m + 6
            rightPadding: VDS.Space.m + 6
            text: Lang.t("加载应用", "Load Apps")
            onClicked: root.viewModel.load()
        }
    }

    Item {
        id: content
        objectName: "appUninstall.content"
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom

        AppStatsBar {
            id: stats
            objectName: "appUninstall.stats"
            anchors.left: parent.left
            anchors.right: parent.right
            visible: list.visible && (screenState.totalFreed > 0 || root.selectedCount > 0)
            height: visible ? implicitHeight : 0
            viewModel: root.viewModel
            screen: screenState
        }

        ListView {
            id: list
            objectName: "appUninstall.list"
            anchors.top: stats.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            visible: !root.viewModel.isLoading && screenState.appCount > 0
            clip: true
            spacing: 2
            leftMargin: VDS.Space.l
            rightMargin: VDS.Space.l
            topMargin: VDS.Space.m
            bottomMargin: VDS.Space.m
            boundsBehavior: Flickable.StopAtBounds
            model: screenState.displayedApps
            ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

            // A new order moves the rows on the order's spring.
            move: Transition {
                SpringAnimation {
                    property: "y"
                    spring: Motion.listOrder.spring
                    damping: Motion.listOrder.damping
                    mass: Motion.listOrder.mass
                    epsilon: 0.5
                }
            }
            moveDisplaced: Transition {
                SpringAnimation {
                    property: "y"
                    spring: Motion.listOrder.spring
                    damping: Motion.listOrder.damping
                    mass: Motion.listOrder.mass
                    epsilon: 0.5
                }
            }

            delegate: AppRow {
                width: ListView.view.width - ListView.view.leftMargin - ListView.view.rightMargin
                sortMode: screenState.sortMode
                onToggled: root.viewModel.toggleSelect(appId)
                onExpanded: root.viewModel.loadAssociatedFiles(appId)
                onRevealRequested: path => root.desktop.reveal(path)
            }
        }
    }

    VelkAlert {
        objectName: "appUninstall.confirmAlert"
        presented: root.confirmUninstall
        title: Lang.t("卸载所选应用？", "Uninstall Selected Apps?")
        message: Lang.t("将直接删除所选 " + root.selectedCount
                        + " 个应用及其已选关联文件，不会移入废纸篓。删除后无法通过废纸篓恢复，请确认已备份重要数据。",
                        "The " + root.selectedCount
                        + " selected app(s) and selected associated files will be permanently deleted, not moved to Trash. You cannot restore them from Trash. Please back up important data before continuing.")
        onClosed: root.confirmUninstall = false

        AlertButton {
            text: Lang.t("取消", "Cancel")
            role: AlertButton.Cancel
        }
        AlertButton {
            text: Lang.t("确认卸载", "Uninstall")
            role: AlertButton.Destructive
            onTriggered: root.viewModel.uninstall()
        }
    }

    // Up while paths of the last uninstall are left; however it closes, the
    // list is emptied.
    VelkAlert {
        objectName: "appUninstall.failureAlert"
        presented: root.viewModel.failedPaths.length > 0
        title: Lang.t("部分项目未能删除", "Some Items Could Not Be Deleted")
        message: Lang.t("未能删除的项目仍留在原处，只有确实删除的部分计入已释放空间：\n\n" + screenState.failureLines,
                        "Items that could not be deleted stay where they are; only what was deleted counts as "
                        + "freed space:\n\n" + screenState.failureLinesEnglish)
        onClosed: root.viewModel.failedPaths = []

        AlertButton {
            text: Lang.t("好", "OK")
            role: AlertButton.Default
        }
    }

    Component.onCompleted: screenState.appear()
}
