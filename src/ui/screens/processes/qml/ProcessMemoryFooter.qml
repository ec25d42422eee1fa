import QtQuick
import Velk.Design
import Velk.Models
import Velk.Processes

// The footer while sorted by memory: the pressure bar, green, amber from
// 0.75 and red from 0.9, and eight memory figures in two columns.
ProcessResourceFooter {
    id: root
    required property SystemMonitor monitor
    required property ProcessFooterModel figures
    readonly property var stats: monitor.memStats

    Column {
        anchors.verticalCenter: parent.verticalCenter
        spacing: VDS.Space.xs
        VelkText {
            text: Lang.t("内存压力", "MEMORY PRESSURE")
            textFormat: Text.PlainText
            font: VDS.font(10, Font.Medium)
            color: VDS.C.text3
        }
        LiveBar {
            objectName: "processes.footer.pressure"
            width: 140
            height: 8
            // A new sample every 2 s: each is drawn in one step, so the
            // list idles without drawing frames in between.
            animated: false
            value: root.figures.pressure
            color: root.figures.pressureTone === ProcessFooterModel.Red ? VDS.C.red
                 : root.figures.pressureTone === ProcessFooterModel.Amber ? VDS.C.amber
                 : VDS.C.green
        }
    }
    Column {
        anchors.verticalCenter: parent.verticalCenter
        spacing: 2
        ProcessFooterFigure {
            objectName: "processes.footer.physical"
            label: Lang.t("物理内存", "Physical")
            value: Format.memoryBytes(root.stats.total)
        }
        ProcessFooterFigure {
            objectName: "processes.footer.used"
            label: Lang.t("已用", "Used")
            value: Format.memoryBytes(root.stats.used)
        }
        ProcessFooterFigure {
            objectName: "processes.footer.cached"
            label: Lang.t("缓存", "Cached")
            value: Format.memoryBytes(root.stats.cached)
        }
        ProcessFooterFigure {
            objectName: "processes.footer.swap"
            label: Lang.t("交换", "Swap")
            value: Format.memoryBytes(root.stats.swapUsed)
        }
    }
    Column {
        anchors.verticalCenter: parent.verticalCenter
        spacing: 2
        ProcessFooterFigure {
            objectName: "processes.footer.app"
            label: Lang.t("应用", "App")
            value: Format.memoryBytes(root.stats.app)
        }
        ProcessFooterFigure {
            objectName: "processes.footer.wired"
            label: Lang.t("联动", "Wired")
            value: Format.memoryBytes(root.stats.wired)
        }
        ProcessFooterFigure {
            objectName: "processes.footer.compressed"
            label: Lang.t("压缩", "Compressed")
            value: Format.memoryBytes(root.stats.compressed)
        }
        ProcessFooterFigure {
            objectName: "processes.footer.free"
            label: Lang.t("可用", "Free")
            value: Format.memoryBytes(root.stats.free)
        }
    }
}
