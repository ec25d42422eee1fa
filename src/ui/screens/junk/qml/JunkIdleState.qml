import QtQuick
import Velk.Design
import Velk.Models
import Velk.SystemJunk

// Before a scan, or after a stopped one: what the scan looks at, what the
// last clean freed, and Start Scan.
VelkEmptyState {
    id: root
    required property SystemJunkViewModel viewModel
    required property SystemJunkScreen screen

    icon: "sparkles"
    title: Lang.t("释放可用存储空间", "Reclaim Disk Space")

    Column {
        spacing: 16

        Row {
            objectName: "systemJunk.scopeTags"
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 6

            Repeater {
                // "Xcode" is the same word in both languages.
                model: [Lang.t("系统缓存", "Caches"), "Xcode", Lang.t("开发依赖", "Dev Packages"), Lang.t("日志", "Logs")]
                delegate: VelkGlass {
                    id: tag
                    required property string modelData
                    objectName: "systemJunk.scopeTag"
                    capsule: true
                    leftPadding: 10
                    rightPadding: 10
                    topPadding: 4.5
                    bottomPadding: 4.5

                    VelkText {
                        text: tag.modelData
                        textFormat: Text.PlainText
                        font: VDS.font(11, Font.Medium)
                        color: VDS.C.text3
                    }
                }
            }
        }

        VelkBadge {
            objectName: "systemJunk.freedBadge"
            anchors.horizontalCenter: parent.horizontalCenter
            visible: root.screen.totalCleaned >= 1
            text: Lang.t("已释放 ", "Freed ") + Format.bytes(root.screen.totalCleaned)
            color: VDS.C.green
            monospaced: true
        }

        VelkPrimaryButton {
            objectName: "systemJunk.startScan"
            anchors.horizontalCenter: parent.horizontalCenter
            height: 36
            leftPadding: VDS.Space.m + 6
            rightPadding: VDS.Space.m + 6
            text: Lang.t("开始扫描", "Start Scan")
            onClicked: root.viewModel.startScan(false)
        }
    }
}
