import QtQuick
import Velk.Design
import Velk.Models

// What the junk scan found: "—" while a scan or clean runs, otherwise the
// amount of the last scan, and Review once a scan found at least a byte.
Item {
    id: root
    required property SystemJunkViewModel junk
    property real topPadding: 0
    readonly property bool busy: junk.isScanning || junk.isCleaning
    // Bytes found by the last scan. (Read untyped: the linter does not know
    // 64-bit integer properties.)
    readonly property var untypedJunk: junk
    readonly property double found: untypedJunk.totalFound

    signal reviewClicked()

    objectName: "dashboard.scanResult"
    implicitHeight: topPadding + Math.max(texts.implicitHeight, review.visible ? review.implicitHeight : 0)

    Column {
        id: texts
        y: root.topPadding + (root.height - root.topPadding - implicitHeight) / 2
        spacing: VDS.Space.xxs

        VelkText {
            text: Lang.t("可清理", "Can clean")
            textFormat: Text.PlainText
            font: VDS.font(12)
            color: VDS.C.text2
        }
        VelkText {
            objectName: "dashboard.amount"
            text: root.busy ? "—" : Format.bytes(root.found)
            textFormat: Text.PlainText
            font: VDS.font(21, Font.Medium)
            color: VDS.C.text1
        }
        VelkText {
            objectName: "dashboard.scanState"
            text: root.junk.isScanning ? Lang.t("正在扫描", "Scanning")
                : root.junk.isCleaning ? Lang.t("正在清理", "Cleaning")
                : Lang.t("上次扫描", "Last scan")
            textFormat: Text.PlainText
            font: VDS.font(12)
            color: VDS.C.text3
        }
    }

    VelkTintedButton {
        id: review
        objectName: "dashboard.reviewButton"
        anchors.right: parent.right
        y: root.topPadding + (root.height - root.topPadding - height) / 2
        visible: root.junk.scanComplete && !root.busy && root.found >= 1
        text: Lang.t("查看结果", "Review")
        onClicked: root.reviewClicked()
    }
}
