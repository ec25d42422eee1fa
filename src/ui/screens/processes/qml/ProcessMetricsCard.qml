import QtQuick
import QtQuick.Layouts
import Velk.Design
import Velk.Processes

// Threads, Mach ports and resident memory, the last two with a hint.
VelkCard {
    id: root
    required property ProcessDetailModel detail
    // The three metrics side by side, the spaces between them at their least.
    readonly property real minimumWidth: threads.implicitWidth + machPorts.implicitWidth + rss.implicitWidth
        + 4 * row.spacing + leftPadding + rightPadding

    RowLayout {
        id: row
        width: root.availableWidth
        spacing: 12

        ProcessMetricItem {
            id: threads
            objectName: "processes.detail.threads"
            Layout.alignment: Qt.AlignTop
            title: Lang.t("线程", "Threads")
            value: root.detail.threadsText
        }
        Item {
            Layout.fillWidth: true
        }
        ProcessMetricItem {
            id: machPorts
            objectName: "processes.detail.machPorts"
            Layout.alignment: Qt.AlignTop
            title: Lang.t("Mach 端口", "Mach Ports")
            value: root.detail.machPortsText
            hint: Lang.t("进程之间通信用的 Mach 端口数量，不是网络端口。",
                         "Mach ports used for communication between processes, not network ports.")
        }
        Item {
            Layout.fillWidth: true
        }
        ProcessMetricItem {
            id: rss
            objectName: "processes.detail.rss"
            Layout.alignment: Qt.AlignTop
            title: "RSS"
            value: root.detail.rssText
            hint: Lang.t("当前驻留在物理内存中的大小，包含共享内存，和上方的内存占用不是同一口径。",
                         "Memory currently resident in RAM, including shared memory. It uses a different measure from Memory above.")
        }
    }
}
