pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.Models
import Velk.Dependencies

// A finished report under its risk banner: the processes holding the file
// (the first ones by name, then a line counting the rest), the launch items
// naming it, its owner, where it came from (only when known) and its dates
// and links. The view scrolls.
Flickable {
    id: root
    property var report: ({})
    required property FileDependencyAnalysis analysis
    required property DesktopActions desktop
    readonly property var processes: root.report.processes ?? []
    readonly property var launchItems: root.report.launchItems ?? []
    readonly property var origins: root.report.downloadedFrom ?? []

    clip: true
    contentWidth: width
    contentHeight: column.implicitHeight + 2 * VDS.Space.l
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

    function dateText(date) {
        return date === undefined ? "—" : Format.mediumDateTime(date)
    }

    Column {
        id: column
        x: VDS.Space.l
        y: VDS.Space.l
        width: root.width - 2 * VDS.Space.l
        spacing: VDS.Space.m

        RiskBanner {
            objectName: "largeFiles.dependencies.banner"
            width: parent.width
            banner: root.report.banner ?? ({})
        }
        DependencyCard {
            objectName: "largeFiles.dependencies.card"
            key: "processes"
            width: parent.width
            title: Lang.t("正在使用的进程", "Processes using this file")
            symbol: "cpu"
            count: root.report.processCount ?? 0

            EmptyLine {
                visible: root.processes.length === 0
                text: Lang.t("当前没有进程打开此文件", "No process currently has this file open")
            }
            Repeater {
                model: root.processes
                delegate: Item {
                    id: processRow
                    required property var modelData
                    objectName: "largeFiles.dependencies.process"
                    property string key: "" + processRow.modelData.pid
                    width: parent.width
                    height: Math.max(command.implicitHeight, pid.implicitHeight)

                    SymbolIcon {
                        id: dot
                        anchors.verticalCenter: parent.verticalCenter
                        name: "circle.fill"
                        size: 6
                        color: VDS.C.red
                    }
                    VelkNameText {
                        id: command
                        objectName: "largeFiles.dependencies.process.command"
                        anchors.left: dot.right
                        anchors.leftMargin: VDS.Space.s
                        anchors.right: pid.left
                        anchors.rightMargin: VDS.Space.s
                        anchors.verticalCenter: parent.verticalCenter
                        name: processRow.modelData.command
                        font: VDS.font(12, Font.Medium)
                        color: VDS.C.text1
                    }
                    VelkText {
                        id: pid
                        objectName: "largeFiles.dependencies.process.pid"
                        anchors.right: parent.right
                        anchors.verticalCenter: parent.verticalCenter
                        text: "PID " + Format.decimal(processRow.modelData.pid)
                        textFormat: Text.PlainText
                        font: VDS.font(11, Font.Normal, true)
                        color: VDS.C.text3
                    }
                }
            }
            VelkText {
                objectName: "largeFiles.dependencies.moreProcesses"
                visible: root.report.moreProcesses !== undefined
                width: parent.width
                text: Lang.t(root.report.moreProcesses ?? "", root.report.moreProcessesEnglish ?? "")
                textFormat: Text.PlainText
                font: VDS.font(12)
                color: VDS.C.text3
            }
        }
        DependencyCard {
            objectName: "largeFiles.dependencies.card"
            key: "launchItems"
            width: parent.width
            title: Lang.t("启动项引用", "Launch items referencing it")
            symbol: "bolt.circle"
            count: root.launchItems.length

            EmptyLine {
                visible: root.launchItems.length === 0
                text: Lang.t("LaunchAgents / LaunchDaemons 中没有引用", "Not referenced by any LaunchAgent / LaunchDaemon")
            }
            Repeater {
                model: root.launchItems
                delegate: LaunchItemRow {
                    required property var modelData
                    width: parent.width
                    item: modelData
                    onReveal: root.desktop.reveal(modelData.plistPath)
                }
            }
        }
        DependencyCard {
            objectName: "largeFiles.dependencies.card"
            key: "owner"
            width: parent.width
            title: Lang.t("归属", "Belongs to")
            symbol: "app.badge"

            EmptyLine {
                visible: root.report.owner === undefined
                text: Lang.t("无法推断归属", "Could not infer an owner")
            }
            OwnerRow {
                visible: root.report.owner !== undefined
                width: parent.width
                owner: root.report.owner ?? ({})
                onOpenApp: (path) => root.desktop.openApplication(path)
            }
        }
        DependencyCard {
            objectName: "largeFiles.dependencies.card"
            key: "origin"
            visible: root.origins.length > 0
            width: parent.width
            title: Lang.t("下载来源", "Downloaded from")
            symbol: "arrow.down.circle"

            Repeater {
                model: root.origins
                delegate: OriginLine {
                    required property string modelData
                    width: parent.width
                    address: modelData
                    analysis: root.analysis
                }
            }
        }
        DependencyCard {
            objectName: "largeFiles.dependencies.card"
            key: "info"
            width: parent.width
            title: Lang.t("文件信息", "File info")
            symbol: "info.circle"

            InfoRow {
                objectName: "largeFiles.dependencies.info.created"
                label: Lang.t("创建时间", "Created")
                value: root.dateText(root.report.created)
            }
            InfoRow {
                objectName: "largeFiles.dependencies.info.lastAccess"
                label: Lang.t("最后访问", "Last accessed")
                value: root.dateText(root.report.lastAccess)
            }
            InfoRow {
                objectName: "largeFiles.dependencies.info.hardLinks"
                label: Lang.t("硬链接数", "Hard links")
                value: Format.decimal(root.report.hardLinkCount ?? 1)
            }
        }
    }

    // The placeholder of a card with nothing to list.
    component EmptyLine: VelkText {
        objectName: "largeFiles.dependencies.empty"
        textFormat: Text.PlainText
        font: VDS.font(12)
        color: VDS.C.text3
    }

    // A label and its value at the far end.
    component InfoRow: Item {
        id: infoRow
        property string label
        property string value
        width: parent ? parent.width : 0
        height: Math.max(labelText.implicitHeight, valueText.implicitHeight)

        VelkText {
            id: labelText
            anchors.verticalCenter: parent.verticalCenter
            text: infoRow.label
            textFormat: Text.PlainText
            font: VDS.font(12)
            color: VDS.C.text3
        }
        VelkText {
            id: valueText
            objectName: "largeFiles.dependencies.info.value"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            text: infoRow.value
            textFormat: Text.PlainText
            font: VDS.font(12, Font.Normal, true)
            color: VDS.C.text1
        }
    }
}
