import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.Models
import Velk.Processes

// The Processes section: the header with the process count, the listeners
// badge, the search and the listening filter; the process list, split with
// the detail area while a listed process is selected; the footer of the
// sort key. The screen's state lives in `screen`; the selection lives in
// the monitor.
Item {
    id: root
    required property SystemMonitor monitor
    readonly property ProcessMonitorModel screen: screenModel
    // The sort key the list starts with.
    property int firstSortKey: ProcessMonitorModel.Cpu

    objectName: "processes"
    implicitWidth: 720
    implicitHeight: 560

    ProcessMonitorModel {
        id: screenModel
        monitor: root.monitor
        sortKey: root.firstSortKey
        // A hidden screen leaves its list as it was until it is shown.
        active: root.visible
    }
    // The selected process, shown beside the list.
    ProcessDetailModel {
        id: detailModel
        monitor: root.monitor
        pid: root.monitor.selectedPid ?? -1
    }
    ProcessFooterModel {
        id: footerModel
        monitor: root.monitor
    }
    Component.onCompleted: screenModel.appear()

    PageHeader {
        id: header
        objectName: "processes.header"
        anchors.left: parent.left
        anchors.right: parent.right
        title: Lang.t("进程监控", "Processes")
        subtitle: screenModel.processCountText

        VelkBadge {
            objectName: "processes.listeners"
            visible: screenModel.listenerCount > 0
            text: screenModel.listenerCountText + Lang.t(" 网络监听", " listeners")
            color: VDS.C.text2
            monospaced: true
            height: 32
        }
        VelkSearchField {
            objectName: "processes.search"
            width: 210
            placeholder: Lang.t("搜索名称、PID或路径", "Search name, PID or path")
            id: search
            onTextChanged: screenModel.searchText = text
            // A navigation request clears the search.
            Connections {
                target: screenModel
                function onSearchTextChanged() {
                    if (search.text !== screenModel.searchText)
                        search.text = screenModel.searchText
                }
            }
        }
        VelkFilterChip {
            objectName: "processes.listeningFilter"
            text: Lang.t("仅监听", "Listening")
            checked: screenModel.showOnlyListening
            onToggled: (on) => { screenModel.showOnlyListening = on }
        }
    }

    Item {
        id: listArea
        objectName: "processes.listArea"
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: footer.top

        ProcessListPane {
            objectName: "processes.fullList"
            anchors.fill: parent
            visible: !screenModel.showsDetail
            screen: screenModel
            monitor: root.monitor
        }

        // The list keeps 370 to 520 points and the detail at least 460. Where
        // both do not fit, the list yields down to its minimum and the detail
        // takes the rest; below its own minimum content width the detail
        // scrolls sideways, so nothing of it ever lies outside the window.
        SplitView {
            id: split
            objectName: "processes.split"
            readonly property real listMinimum: 370
            readonly property real detailMinimum: 460
            readonly property real room: width - 1
            anchors.fill: parent
            visible: screenModel.showsDetail
            orientation: Qt.Horizontal
            handle: Rectangle {
                implicitWidth: 1
                color: VDS.C.border
                Rectangle {
                    anchors.centerIn: parent
                    width: 9
                    height: parent.height
                    color: "transparent"
                }
            }

            ProcessListPane {
                objectName: "processes.compactList"
                SplitView.minimumWidth: split.listMinimum
                SplitView.preferredWidth: 420
                SplitView.maximumWidth: Math.max(split.listMinimum, Math.min(520, split.room - split.detailMinimum))
                screen: screenModel
                monitor: root.monitor
            }
            // The scroll view sits in a frame of no size of its own, so that
            // its content's width never feeds back into the split.
            Item {
                SplitView.minimumWidth: Math.max(0, Math.min(split.detailMinimum, split.room - split.listMinimum))
                SplitView.fillWidth: true

                ScrollView {
                    id: detailScroll
                    objectName: "processes.detail"
                    anchors.fill: parent
                    contentWidth: Math.max(availableWidth, detailPane.minimumWidth)
                    clip: true
                    ScrollBar.vertical.policy: ScrollBar.AlwaysOn
                    ScrollBar.horizontal.policy: contentWidth > availableWidth ? ScrollBar.AlwaysOn
                                                                               : ScrollBar.AlwaysOff

                    ProcessDetailPane {
                        id: detailPane
                        width: detailScroll.contentWidth
                        detail: detailModel
                        onTerminateRequested: (pid) => screenModel.askTerminate(pid)
                    }
                }
            }
        }
    }

    // The CPU footer while sorted by CPU, the memory footer while sorted by
    // memory; nothing for the other keys.
    Column {
        id: footer
        objectName: "processes.footer"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom

        ProcessCpuFooter {
            objectName: "processes.footer.cpu"
            width: parent.width
            visible: screenModel.sortKey === ProcessMonitorModel.Cpu
            monitor: root.monitor
            figures: footerModel
        }
        ProcessMemoryFooter {
            objectName: "processes.footer.memory"
            width: parent.width
            visible: screenModel.sortKey === ProcessMonitorModel.Memory
            monitor: root.monitor
            figures: footerModel
        }
    }

    // The termination confirmation, presented by the window's alert host
    // while a process awaits it.
    VelkAlert {
        objectName: "processes.terminateAlert"
        presented: screenModel.terminateAlertShown
        title: Lang.t("结束进程？", "Terminate Process?")
        message: screenModel.terminateMessage
        // Every ending other than Terminate leaves the process alone.
        onClosed: screenModel.cancelTerminate()

        AlertButton {
            text: Lang.t("取消", "Cancel")
            role: AlertButton.Cancel
            onTriggered: screenModel.cancelTerminate()
        }
        AlertButton {
            text: Lang.t("结束进程", "Terminate")
            role: AlertButton.Destructive
            onTriggered: screenModel.confirmTerminate()
        }
    }

    // The system refused to end the process (another user's, say): the
    // process goes on running, and the alert says why.
    VelkAlert {
        objectName: "processes.terminateRefusedAlert"
        presented: screenModel.terminateRefusalShown
        title: Lang.t("无法结束进程", "Could Not Terminate Process")
        message: Lang.t(screenModel.terminateRefusal, screenModel.terminateRefusalEnglish)
        onClosed: screenModel.clearTerminateRefusal()

        AlertButton {
            text: Lang.t("好", "OK")
            role: AlertButton.Default
        }
    }
}
