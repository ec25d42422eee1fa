pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.Models
import Velk.SystemInfo

// The System Info section: the machine (profile, logical CPUs, uptime) and
// its storage in the left column, the battery and cooling in the right one.
// The columns stand side by side, each half of the block, while both fit on
// one line each with 89 between them; otherwise they stand one above the
// other with a rule between. The block is at most 760 wide, centred.
Item {
    id: root
    required property SystemMonitor monitor
    readonly property SystemInfoScreen screen: screenState
    readonly property real contentWidth: 760
    // The width the columns are offered: the scroll width less the paddings,
    // at most contentWidth.
    readonly property real offeredWidth: Math.max(0, Math.min(contentWidth, scroll.width - 2 * VDS.Space.xl))
    readonly property bool twoColumns: leftColumn.idealWidth + VDS.Space.xxl + rightColumn.idealWidth <= offeredWidth

    objectName: "systemInfo"
    implicitWidth: VDS.Measure.windowWidth - VDS.Measure.sidebar
    implicitHeight: VDS.Measure.windowHeight

    // The page appears once, when the window builds its content.
    Component.onCompleted: screenState.refresh()

    SystemInfoScreen {
        id: screenState
        monitor: root.monitor
    }

    PageHeader {
        id: header
        objectName: "systemInfo.header"
        anchors.left: parent.left
        anchors.right: parent.right
        title: Lang.t("系统信息", "System Info")

        VelkTintedButton {
            objectName: "systemInfo.refresh"
            implicitWidth: implicitHeight
            symbol: "arrow.clockwise"
            Accessible.name: Lang.t("刷新", "Refresh")
            onClicked: screenState.refresh()
        }
    }

    component Separator: Item {
        implicitHeight: 2 * VDS.Space.l + divider.implicitHeight
        VelkMetallicDivider {
            id: divider
            y: VDS.Space.l
            width: parent.width
        }
    }

    component InfoColumn: Column {
        readonly property real idealWidth: {
            let w = 0
            for (let i = 0; i < children.length; ++i) {
                const group = children[i] as InfoGroup
                if (group && group.visible)
                    w = Math.max(w, group.idealWidth)
            }
            return w
        }
    }

    Flickable {
        id: scroll
        objectName: "systemInfo.scroll"
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        clip: true
        contentWidth: width
        contentHeight: block.height + 2 * VDS.Space.xl
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        Item {
            id: block
            objectName: "systemInfo.block"
            readonly property real half: (width - VDS.Space.xxl) / 2
            x: Math.round((scroll.width - width) / 2)
            y: VDS.Space.xl
            width: root.offeredWidth
            height: root.twoColumns ? Math.max(leftColumn.height, rightColumn.height)
                                    : leftColumn.height + columnSeparator.height + rightColumn.height

            InfoColumn {
                id: leftColumn
                objectName: "systemInfo.left"
                width: root.twoColumns ? block.half : block.width

                InfoGroup {
                    objectName: "systemInfo.machine"
                    width: parent.width
                    title: Lang.t("本机", "Machine")
                    rows: screenState.machine
                    rowName: "systemInfo.row"
                }
                Separator { width: parent.width }
                InfoGroup {
                    objectName: "systemInfo.storage"
                    width: parent.width
                    title: Lang.t("存储", "Storage")
                    rows: screenState.storage
                    rowName: "systemInfo.row"
                }
            }

            Separator {
                id: columnSeparator
                objectName: "systemInfo.columnSeparator"
                visible: !root.twoColumns
                y: leftColumn.height
                width: block.width
            }

            InfoColumn {
                id: rightColumn
                objectName: "systemInfo.right"
                x: root.twoColumns ? block.width - block.half : 0
                y: root.twoColumns ? 0 : leftColumn.height + columnSeparator.height
                width: root.twoColumns ? block.half : block.width

                InfoGroup {
                    objectName: "systemInfo.battery"
                    visible: screenState.hasBattery
                    width: parent.width
                    title: Lang.t("电池", "Battery")
                    rows: screenState.battery
                    rowName: "systemInfo.row"
                }
                Separator {
                    objectName: "systemInfo.batterySeparator"
                    visible: screenState.hasBattery && screenState.hasCooling
                    width: parent.width
                }
                InfoGroup {
                    objectName: "systemInfo.cooling"
                    visible: screenState.hasCooling
                    width: parent.width
                    title: Lang.t("散热", "Cooling")
                    rows: screenState.cooling
                    rowName: "systemInfo.row"
                }
            }
        }
    }
}
