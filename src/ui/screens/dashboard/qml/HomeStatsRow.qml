pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design

// The machine's load: CPU, Memory, Battery (only with a battery) and
// Uptime. One row with dividers when it fits the width, otherwise a list.
// The first three open System Info.
Item {
    id: root
    property real topPadding: 0
    property string cpu
    property string memory
    property bool hasBattery: false
    property string batteryText
    property string uptime
    readonly property var ids: ["cpu", "mem", "bat", "up"]
    readonly property int count: hasBattery ? 4 : 3
    readonly property real dividerWidth: 1 + 2 * VDS.Space.l
    // The wide row's own width: its cells at their natural widths and the
    // dividers between them.
    readonly property real wideWidth: {
        let sum = (count - 1) * dividerWidth
        for (let i = 0; i < measured.count; ++i) {
            const cell = measured.itemAt(i) as HomeStatCell
            if (cell && cell.shown)
                sum += cell.implicitWidth
        }
        return sum
    }
    readonly property bool wide: wideWidth <= width

    signal infoRequested()

    function titleOf(id: string): string {
        return id === "cpu" ? "CPU"
            : id === "mem" ? Lang.t("内存", "Memory")
            : id === "bat" ? Lang.t("电池", "Battery")
            : Lang.t("已运行", "Uptime")
    }
    function valueOf(id: string): string {
        return id === "cpu" ? cpu : id === "mem" ? memory : id === "bat" ? batteryText : uptime
    }

    objectName: "dashboard.stats"
    implicitHeight: topPadding + (wide ? wideRow.implicitHeight : narrow.implicitHeight)

    Row {
        id: wideRow
        objectName: "dashboard.stats.wide"
        y: root.topPadding
        visible: root.wide
        readonly property real cellWidth: Math.max(0, (root.width - (root.count - 1) * root.dividerWidth) / root.count)

        Repeater {
            model: root.ids
            Row {
                id: entry
                required property string modelData
                required property int index
                // The battery's place is empty without a battery.
                visible: modelData !== "bat" || root.hasBattery

                Item {
                    visible: entry.index > 0
                    width: root.dividerWidth
                    height: 28
                    Rectangle {
                        objectName: "dashboard.stats.divider"
                        x: VDS.Space.l
                        width: 1
                        height: 28
                        color: VDS.C.border
                    }
                }
                HomeStatCell {
                    width: wideRow.cellWidth
                    statId: entry.modelData
                    title: root.titleOf(entry.modelData)
                    value: root.valueOf(entry.modelData)
                    onOpened: root.infoRequested()
                }
            }
        }
    }

    Column {
        id: narrow
        objectName: "dashboard.stats.narrow"
        y: root.topPadding
        width: root.width
        visible: !root.wide
        spacing: VDS.Space.m

        Repeater {
            id: measured
            model: root.ids
            HomeStatCell {
                required property string modelData
                readonly property bool shown: modelData !== "bat" || root.hasBattery
                visible: shown
                width: narrow.width
                statId: modelData
                title: root.titleOf(modelData)
                value: root.valueOf(modelData)
                onOpened: root.infoRequested()
            }
        }
    }
}
