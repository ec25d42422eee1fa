import QtQuick
import Velk.Design
import Velk.Models
import Velk.Processes

// The footer while sorted by CPU: system, user and idle shares, the load of
// the last samples on a fixed 0 to 1 scale, and the thread and process counts.
ProcessResourceFooter {
    id: root
    required property SystemMonitor monitor
    required property ProcessFooterModel figures

    Column {
        anchors.verticalCenter: parent.verticalCenter
        width: Math.max(120, implicitWidth)
        spacing: 2
        ProcessFooterPair {
            objectName: "processes.footer.system"
            label: Lang.t("系统", "System")
            value: Format.fixedPercent(root.monitor.cpuSystem, 1)
            valueColor: VDS.C.accent
        }
        ProcessFooterPair {
            objectName: "processes.footer.user"
            label: Lang.t("用户", "User")
            value: Format.fixedPercent(root.monitor.cpuUser, 1)
            valueColor: VDS.C.amber
        }
        ProcessFooterPair {
            objectName: "processes.footer.idle"
            label: Lang.t("空闲", "Idle")
            value: Format.fixedPercent(root.monitor.cpuIdle, 1)
            valueColor: VDS.C.text3
        }
    }
    Column {
        anchors.verticalCenter: parent.verticalCenter
        // Between 160 and 280, from what the row leaves.
        width: Math.max(160, Math.min(280, root.width - 2 * VDS.Space.m - 2 * VDS.Space.l - 120 - 140))
        spacing: VDS.Space.xxs
        VelkText {
            text: Lang.t("CPU 负载", "CPU LOAD")
            textFormat: Text.PlainText
            font: VDS.font(10, Font.Medium)
            color: VDS.C.text3
        }
        Sparkline {
            objectName: "processes.footer.load"
            width: parent.width
            height: 36
            values: root.figures.loadHistory
            maxValue: 1
            areaOpacity: 0.18
            // A new sample every 2 s: each is drawn in one step, so the
            // list idles without drawing frames in between.
            animated: false
            color: VDS.C.accent
        }
    }
    Column {
        anchors.verticalCenter: parent.verticalCenter
        spacing: 2
        ProcessFooterPair {
            objectName: "processes.footer.threads"
            label: Lang.t("线程", "Threads")
            value: Format.decimal(root.figures.threadTotal)
        }
        ProcessFooterPair {
            objectName: "processes.footer.processes"
            label: Lang.t("进程", "Processes")
            value: Format.decimal(root.figures.processCount)
        }
    }
}
