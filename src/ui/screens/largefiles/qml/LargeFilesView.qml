pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.Models
import Velk.LargeFiles
import Velk.Dependencies

// The Large Files section: finds files at or above a chosen size in the
// folders the user picks, lists them largest first, filters and selects
// them, shows what still depends on one of them, and moves the selection
// to the Trash or deletes it after checking who holds the files open.
// Scanning, the list, the selection and the deletion are the view model's;
// the screen keeps whether the scope sheet is open and, through its state
// object, the delete flow and the file being inspected.
Item {
    id: root
    required property LargeFilesViewModel viewModel
    required property DesktopActions desktop
    property bool showScope: false
    readonly property LargeFilesScreen screen: screenState
    // The file whose dependencies are shown: path, name, size; empty for none.
    readonly property var inspecting: screen.inspecting
    readonly property bool hasItems: itemCount > 0
    readonly property int itemCount: screen.itemCount
    readonly property bool deleteBusy: viewModel.isCheckingInUse || viewModel.isDeleting
    // Below this width the header's controls take less room: a shorter
    // threshold slider, and the delete and scan buttons without their words
    // (which their tooltips still give). The filter keeps its width, so that
    // what was typed stays readable.
    readonly property bool narrow: width < 960
    readonly property string trashText: Lang.t("移至废纸篓 (" + viewModel.selectedCount + ")",
                                               "Trash (" + viewModel.selectedCount + ")")
    readonly property string deleteText: Lang.t("永久删除 (" + viewModel.selectedCount + ")",
                                                "Delete (" + viewModel.selectedCount + ")")
    readonly property string scanText: hasItems ? Lang.t("重扫", "Rescan") : Lang.t("扫描", "Scan")

    objectName: "largeFiles"
    implicitWidth: 720
    implicitHeight: 560

    LargeFilesScreen {
        id: screenState
        viewModel: root.viewModel
    }

    function openFullDiskAccessSettings() {
        if (!root.desktop.openUrl("x-apple.systempreferences:com.apple.settings.PrivacySecurity.extension?Privacy_AllFiles"))
            root.desktop.openUrl("x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles")
    }

    PageHeader {
        id: header
        objectName: "largeFiles.header"
        anchors.left: parent.left
        anchors.right: parent.right
        title: Lang.t("大文件", "Large Files")
        subtitle: root.hasItems ? Format.bytes(root.screen.filteredSize) : ""

        ThresholdPicker {
            objectName: "largeFiles.threshold"
            viewModel: root.viewModel
            compact: root.narrow
        }
        VelkSearchField {
            objectName: "largeFiles.filter"
            visible: root.hasItems
            width: 148
            placeholder: Lang.t("过滤", "Filter")
            text: root.viewModel.searchText
            onTextChanged: root.viewModel.searchText = text
        }
        VelkPrimaryButton {
            id: trashButton
            objectName: "largeFiles.trash"
            visible: root.viewModel.selectedCount > 0
            enabled: !root.deleteBusy
            destructive: true
            symbol: "trash"
            text: root.narrow ? "" + root.viewModel.selectedCount : root.trashText
            contentItem: BusyLabel { // qmllint disable deferred-property-id
                busy: root.screen.busyDelete === LargeFilesScreen.Trash
                symbol: trashButton.symbol
                text: trashButton.text
                color: trashButton.foreground
            }
            Accessible.name: root.trashText
            onClicked: root.screen.prepareDelete(LargeFilesScreen.Trash)
            VelkToolTip { text: root.narrow ? root.trashText : "" }
        }
        VelkTintedButton {
            id: deleteButton
            objectName: "largeFiles.delete"
            visible: root.viewModel.selectedCount > 0
            enabled: !root.deleteBusy
            destructive: true
            symbol: "trash.slash"
            text: root.narrow ? "" + root.viewModel.selectedCount : root.deleteText
            contentItem: BusyLabel { // qmllint disable deferred-property-id
                busy: root.screen.busyDelete === LargeFilesScreen.Permanent
                symbol: deleteButton.symbol
                text: deleteButton.text
                color: deleteButton.foreground
            }
            Accessible.name: root.deleteText
            onClicked: root.screen.prepareDelete(LargeFilesScreen.Permanent)
            VelkToolTip { text: root.narrow ? root.deleteText : "" }
        }
        VelkTintedButton {
            objectName: "largeFiles.stop"
            visible: root.viewModel.isScanning
            symbol: "stop.fill"
            text: Lang.t("停止", "Stop")
            onClicked: root.viewModel.stopScan()
        }
        VelkPrimaryButton {
            objectName: "largeFiles.scan"
            visible: !root.viewModel.isScanning
            symbol: "magnifyingglass"
            text: root.narrow && root.viewModel.selectedCount > 0 ? "" : root.scanText
            Accessible.name: root.scanText
            onClicked: root.showScope = true
            VelkToolTip { text: parent.text.length > 0 ? "" : root.scanText }
        }
    }

    DiskAccessBanner {
        id: banner
        objectName: "largeFiles.diskAccessBanner"
        visible: !root.viewModel.hasFullDiskAccess
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        height: visible ? implicitHeight : 0
        onOpenSettings: root.openFullDiskAccessSettings()
    }

    Item {
        id: main
        anchors.top: banner.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom

        ScanningPanel {
            objectName: "largeFiles.scanning"
            visible: root.viewModel.isScanning
            anchors.fill: parent
            viewModel: root.viewModel
            screen: screenState
        }
        LargeFileList {
            objectName: "largeFiles.results"
            visible: !root.viewModel.isScanning && root.hasItems
            anchors.fill: parent
            viewModel: root.viewModel
            screen: screenState
            desktop: root.desktop
        }
        LargeFilesEmptyState {
            objectName: "largeFiles.empty"
            visible: !root.viewModel.isScanning && !root.hasItems
            anchors.fill: parent
            viewModel: root.viewModel
            onStartScan: root.showScope = true
        }
    }

    LargeFileScopeSheet {
        objectName: "largeFiles.scopeSheet"
        presented: root.showScope
        onClosed: root.showScope = false
        onStart: (paths) => {
            root.showScope = false
            root.viewModel.scan(paths)
        }
    }

    // What still depends on the row whose dependency button was pressed.
    FileDependencySheet {
        objectName: "largeFiles.dependencies"
        presented: root.inspecting.path !== undefined
        file: root.inspecting
        desktop: root.desktop
        onClosed: root.screen.clearInspecting()
    }

    // Asked after a fresh check of who holds the selection open; it names
    // them, and the system folder, before anything is deleted.
    VelkAlert {
        objectName: "largeFiles.deleteAlert"
        presented: root.screen.confirmDelete !== LargeFilesScreen.NoDelete
        title: Lang.t(root.screen.deleteTitle, root.screen.deleteTitleEnglish)
        message: Lang.t(root.screen.deleteMessage, root.screen.deleteMessageEnglish)
        onClosed: root.screen.cancelDeletion()

        AlertButton {
            text: Lang.t("取消", "Cancel")
            role: AlertButton.Cancel
        }
        AlertButton {
            text: root.screen.confirmDelete === LargeFilesScreen.Permanent ? Lang.t("永久删除", "Delete Permanently")
                                                                          : Lang.t("移至废纸篓", "Move to Trash")
            role: AlertButton.Destructive
            onTriggered: root.screen.confirmDeletion()
        }
    }

    // Up while files of the last deletion are left; however it closes, the
    // list is emptied.
    VelkAlert {
        objectName: "largeFiles.failureAlert"
        presented: root.viewModel.failedPaths.length > 0
        title: Lang.t("部分文件未能删除", "Some Files Could Not Be Deleted")
        message: Lang.t("未成功删除的文件仍保留在列表中：\n\n" + root.screen.failureLines,
                        "Files that could not be deleted remain in the list:\n\n" + root.screen.failureLinesEnglish)
        onClosed: root.viewModel.failedPaths = []

        AlertButton {
            text: Lang.t("好", "OK")
            role: AlertButton.Default
        }
    }

    // Access is asked again whenever the screen appears and whenever the
    // program becomes active, so the banner goes once access is granted.
    Connections {
        target: ApplicationState
        function onActiveChanged() {
            if (ApplicationState.active)
                root.viewModel.refreshDiskAccess()
        }
    }
    onVisibleChanged: {
        if (visible)
            viewModel.refreshDiskAccess()
    }
    Component.onCompleted: viewModel.refreshDiskAccess()

    // A delete button's label, or a small spinner while its check or its
    // deletion runs.
    component BusyLabel: Item {
        id: busyLabel
        property bool busy: false
        property string symbol
        property string text
        property color color

        implicitWidth: busy ? spinner.implicitWidth : buttonLabel.implicitWidth
        implicitHeight: buttonLabel.implicitHeight
        baselineOffset: buttonLabel.y + buttonLabel.baselineOffset

        Spinner {
            id: spinner
            objectName: "largeFiles.deleteSpinner"
            anchors.centerIn: parent
            visible: busyLabel.busy
            color: busyLabel.color
        }
        ButtonLabel {
            id: buttonLabel
            anchors.fill: parent
            visible: !busyLabel.busy
            symbol: busyLabel.symbol
            text: busyLabel.text
            color: busyLabel.color
        }
    }
}
