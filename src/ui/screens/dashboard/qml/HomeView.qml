import QtQuick
import QtQuick.Controls.Basic
import Velk.Design
import Velk.Models
import Velk.Dashboard

// The dashboard: free disk space with the junk scan, the last scan's result
// with Review, the machine's load and the links to the other tools. It owns
// no engine; it switches sections by asking the window (sectionRequested)
// and asks for the junk screen's deep-clean mode (deepCleanRequested).
Item {
    id: root
    required property SystemMonitor monitor
    required property SystemJunkViewModel junk
    // Leading inset of the window's content, from the sidebar.
    property real contentLeadingInset: 72
    // The battery as last read; not present on a machine without one.
    property batteryReading battery: Readers.battery()
    readonly property bool hasBattery: battery.present
    readonly property bool busy: junk.isScanning || junk.isCleaning
    // The monitor's memory record.
    readonly property var memory: monitor.memStats
    // Id of the junk clean report last seen; empty for none.
    property string seenReport

    // The window switches to the named section (a case name).
    signal sectionRequested(string name)
    // The junk screen is to open in deep-clean mode.
    signal deepCleanRequested()

    // The scan button: a new junk scan, shown on the junk screen.
    function beginScan() {
        if (busy)
            return
        junk.startScan(false)
        sectionRequested("systemJunk")
    }

    // Review: the junk screen in deep-clean mode with what was found
    // selected (the categories that need the user's own consent excepted).
    function review() {
        deepCleanRequested()
        junk.prepareDeepCleanSelection()
        sectionRequested("systemJunk")
    }

    function rereadBattery() {
        battery = Readers.battery()
    }

    function reportId(): string {
        const report = junk.cleanReport
        return report ? report.id : ""
    }

    objectName: "dashboard"
    implicitWidth: VDS.Measure.windowWidth - VDS.Measure.sidebar
    implicitHeight: VDS.Measure.windowHeight

    Component.onCompleted: seenReport = reportId()
    onVisibleChanged: {
        if (visible)
            rereadBattery()
    }
    Connections {
        target: root.monitor
        function onUptimeChanged() { root.rereadBattery() }
    }
    // A finished clean freed space: the disk figures catch up.
    Connections {
        target: root.junk
        function onCleanReportChanged() {
            const id = root.reportId()
            if (id === root.seenReport)
                return
            root.seenReport = id
            if (id.length > 0)
                root.monitor.refreshDiskAfterCleanup()
        }
    }

    Flickable {
        id: scroll
        objectName: "dashboard.scroll"
        anchors.fill: parent
        clip: true
        contentWidth: width
        contentHeight: Math.max(height, page.implicitHeight + 2 * VDS.Space.xl)
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        Column {
            id: page
            objectName: "dashboard.page"
            x: root.contentLeadingInset
            // Short content sits in the middle of the visible height.
            y: VDS.Space.xl + Math.max(0, (scroll.height - 2 * VDS.Space.xl - implicitHeight) / 2)
            width: Math.max(0, scroll.width - root.contentLeadingInset - VDS.Space.xl)
            spacing: 0

            HomeDiskBlock {
                width: page.width
                monitor: root.monitor
                junk: root.junk
                onScanClicked: root.beginScan()
            }
            HomeScanResult {
                width: page.width
                visible: root.junk.scanComplete || root.junk.isScanning || root.junk.isCleaning
                topPadding: VDS.Space.l
                junk: root.junk
                onReviewClicked: root.review()
            }
            HomeStatsRow {
                width: page.width
                topPadding: VDS.Space.s + VDS.Space.xl
                cpu: Format.percent(root.monitor.cpuUsage)
                memory: Format.percent(root.memory.usedPercent)
                hasBattery: root.hasBattery
                batteryText: root.hasBattery ? root.batteryText(root.battery) : ""
                uptime: Format.uptime(root.monitor.uptime)
                onInfoRequested: root.sectionRequested("systemInfo")
            }
            HomeToolLinks {
                width: page.width
                topPadding: VDS.Space.xl
                onSectionRequested: name => root.sectionRequested(name)
            }
        }
    }

    function batteryText(status: batteryReading): string {
        const p = Format.count(status.percent) + "%"
        if (status.charging)
            return p + Lang.t(" · 充电中", " · Charging")
        if (status.fullyCharged)
            return p + Lang.t(" · 已充满", " · Full")
        if (!status.externalPower)
            return p
        return p + Lang.t(" · 已接通电源", " · Powered")
    }
}
