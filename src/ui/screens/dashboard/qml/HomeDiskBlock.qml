import QtQuick
import Velk.Design
import Velk.Models

// Free disk space at hero size with the scan button, the usage line, and
// the usage bar with its rounded percentage.
Column {
    id: root
    required property SystemMonitor monitor
    required property SystemJunkViewModel junk
    readonly property var disk: monitor.diskInfo
    readonly property string usedText: Format.binaryBytes(disk.usedBytes)
    readonly property string totalText: Format.binaryBytes(disk.totalBytes)

    signal scanClicked()

    spacing: VDS.Space.m

    Item {
        id: headline
        width: root.width
        height: Math.max(free.y + free.height, scan.y + scan.height, available.y + available.height)
        // Everything sits on the free space's first baseline.
        readonly property real firstBaseline: Math.max(free.baselineOffset, scan.baselineOffset)

        VelkText {
            id: free
            objectName: "dashboard.free"
            y: headline.firstBaseline - baselineOffset
            // Shrinks (to 0.6 of its size at most) rather than wrapping.
            width: Math.min(implicitWidth,
                            Math.max(0, headline.width - available.width - scan.width - 2 * VDS.Space.s - VDS.Space.m))
            text: Format.binaryBytes(root.disk.freeBytes)
            textFormat: Text.PlainText
            font: VDS.font(VDS.TypeScale.hero, Font.Medium)
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.floor(VDS.TypeScale.hero * 0.6)
            maximumLineCount: 1
            wrapMode: Text.NoWrap
            elide: Text.ElideRight
            color: VDS.C.text1
        }
        VelkText {
            id: available
            objectName: "dashboard.freeLabel"
            x: free.x + free.width + VDS.Space.s
            y: headline.firstBaseline - baselineOffset
            text: Lang.t("可用", "available")
            textFormat: Text.PlainText
            font: VDS.caption()
            color: VDS.C.text2
        }
        VelkPrimaryButton {
            id: scan
            objectName: "dashboard.scanButton"
            anchors.right: parent.right
            y: headline.firstBaseline - baselineOffset
            gold: true
            enabled: !root.junk.isScanning && !root.junk.isCleaning
            text: root.junk.isScanning ? Lang.t("扫描中", "Scanning")
                : root.junk.isCleaning ? Lang.t("清理中", "Cleaning")
                : root.junk.scanComplete ? Lang.t("重新扫描", "Scan Again")
                : Lang.t("开始扫描", "Scan")
            onClicked: root.scanClicked()
        }
    }

    VelkText {
        objectName: "dashboard.usage"
        width: root.width
        text: Lang.t("已用 " + root.usedText + "  /  共 " + root.totalText,
                     root.usedText + " used  /  " + root.totalText + " total")
        textFormat: Text.PlainText
        font: VDS.caption()
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Math.floor(VDS.TypeScale.caption * 0.75)
        maximumLineCount: 1
        wrapMode: Text.NoWrap
        color: VDS.C.text2
    }

    Item {
        width: root.width
        height: Math.max(usedPercent.height, bar.height)

        LiveBar {
            id: bar
            objectName: "dashboard.usageBar"
            anchors.left: parent.left
            anchors.right: usedPercent.left
            anchors.rightMargin: VDS.Space.s
            anchors.verticalCenter: parent.verticalCenter
            height: 4
            value: root.disk.usedPercent
            color: VDS.C.accent
        }
        VelkText {
            id: usedPercent
            objectName: "dashboard.usedPercent"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            text: Format.percent(root.disk.usedPercent)
            textFormat: Text.PlainText
            font: VDS.caption(Font.Medium)
            color: VDS.C.accent
        }
    }
}
