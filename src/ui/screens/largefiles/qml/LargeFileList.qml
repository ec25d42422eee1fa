pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.Models
import Velk.LargeFiles

// The found files the filter lets through, largest first, under the column
// header with its select-all mark. Rows change in place.
Item {
    id: root
    required property LargeFilesViewModel viewModel
    required property LargeFilesScreen screen
    required property DesktopActions desktop

    LargeFileListHeader {
        id: header
        objectName: "largeFiles.listHeader"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.leftMargin: VDS.Space.l
        anchors.rightMargin: VDS.Space.l
        anchors.topMargin: 9
        allSelected: root.viewModel.allFilteredSelected
        onSelectAll: (selected) => root.viewModel.setFilteredSelected(selected)
    }
    VelkMetallicDivider {
        id: divider
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: header.bottom
        anchors.topMargin: 9
    }
    ListView {
        id: list
        objectName: "largeFiles.list"
        anchors.top: divider.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        bottomMargin: VDS.Space.s
        // No current item: its (unseen) highlight would slide after it
        // whenever rows are inserted or re-sorted above it.
        currentIndex: -1
        highlightFollowsCurrentItem: false
        model: root.viewModel.filteredItems
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        delegate: LargeFileRow {
            id: row
            required property var model
            key: row.model.id
            x: VDS.Space.l
            width: ListView.view.width - 2 * VDS.Space.l
            screen: root.screen
            onToggle: root.viewModel.toggleSelect(row.key)
            onInspect: root.screen.inspect(row.key)
            onReveal: root.desktop.reveal(row.path)
        }
    }
}
