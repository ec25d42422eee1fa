pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.Models
import Velk.Processes

// The sort bar, a divider and the visible processes, one row each keyed by
// pid; a spinner until the first sample. A click selects a row or, on the
// selected row, deselects it. A navigation request scrolls its row to the
// centre once the new order is laid out.
Item {
    id: root
    required property ProcessMonitorModel screen
    required property SystemMonitor monitor

    ProcessSortBar {
        id: sortBar
        objectName: "processes.sortBar"
        anchors.left: parent.left
        anchors.right: parent.right
        screen: root.screen
    }
    VelkMetallicDivider {
        id: divider
        anchors.top: sortBar.bottom
        anchors.left: parent.left
        anchors.right: parent.right
    }

    Spinner {
        objectName: "processes.spinner"
        anchors.centerIn: list
        visible: !root.screen.sampled
        controlSize: Spinner.Regular
    }

    ListView {
        id: list
        objectName: "processes.list"
        anchors.top: divider.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 8
        visible: root.screen.sampled
        clip: true
        spacing: 2
        boundsBehavior: Flickable.StopAtBounds
        // The selection is the monitor's, not the view's current item: a
        // current item would drag the view's (unseen) highlight after its row
        // at every re-sort, drawing frames for nothing.
        currentIndex: -1
        highlightFollowsCurrentItem: false
        // No rows made ahead beyond the visible ones: after a re-sort that
        // brings a row into view the view would otherwise fill its cache
        // in a frame of its own, one more frame at every sample.
        cacheBuffer: 0
        model: root.screen.visibleProcesses
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        delegate: ProcessListRow {
            objectName: "processes.row"
            width: ListView.view.width
            identity: root.screen.identityText(pid, threads, user)
            ports: root.screen.portBadges[pid] ?? ""
            isSelected: root.monitor.selectedPid === pid
            onActivated: root.screen.tapRow(pid)
        }
    }

    Connections {
        target: root.screen
        function onScrollRequested(pid) {
            scrollLater.pid = pid
            scrollLater.restart()
        }
    }
    // Runs once the list has taken the new order.
    Timer {
        id: scrollLater
        property int pid: -1
        interval: 0
        onTriggered: {
            const row = root.screen.rowOf(pid)
            if (row >= 0)
                list.positionViewAtIndex(row, ListView.Center)
        }
    }
}
