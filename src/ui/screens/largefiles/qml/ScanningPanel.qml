import QtQuick
import Velk.Design
import Velk.Models
import Velk.LargeFiles

// While a scan runs: the folder being looked through, how many files have
// reached the minimum so far, the minimum, how many entries were looked at,
// and the sweep.
Item {
    id: root
    required property LargeFilesViewModel viewModel
    required property LargeFilesScreen screen

    Column {
        anchors.centerIn: parent
        width: Math.max(0, root.width - 2 * VDS.Space.xl)
        spacing: VDS.Space.m

        VelkText {
            anchors.horizontalCenter: parent.horizontalCenter
            text: Lang.t("正在查看", "Looking through")
            textFormat: Text.PlainText
            font: VDS.font(13, Font.Medium)
            color: VDS.C.text2
        }
        VelkText {
            objectName: "largeFiles.scanFolder"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: root.viewModel.scanFolder.length > 0 ? Format.shownLine(root.viewModel.scanFolder) : Lang.t("所选目录", "selected folders")
            textFormat: Text.PlainText
            font: VDS.title(Font.Normal)
            color: VDS.C.text1
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.round(VDS.TypeScale.title * 0.6)
            elide: Text.ElideMiddle
            maximumLineCount: 1
        }
        // Counts up, each changed digit rolling in.
        RollingText {
            objectName: "largeFiles.scanMatched"
            anchors.horizontalCenter: parent.horizontalCenter
            text: Format.count(root.screen.scanMatched)
            font: VDS.font(VDS.TypeScale.hero, Font.Medium, true)
            color: VDS.C.text1
        }
        VelkText {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "≥ " + Format.decimal(Math.trunc(root.viewModel.minSizeMB)) + " MB"
            textFormat: Text.PlainText
            font: VDS.font(13)
            color: VDS.C.text3
        }
        VelkText {
            objectName: "largeFiles.scanProgress"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: Lang.t("已查看 " + Format.count(root.screen.scanProgress) + " 项",
                         "Checked " + Format.count(root.screen.scanProgress))
            textFormat: Text.PlainText
            font: VDS.font(12, Font.Normal, true)
            color: VDS.C.text3
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.round(12 * 0.7)
            maximumLineCount: 1
        }
        Item {
            width: parent.width
            height: VDS.Space.s + sweep.height

            ScanSweep {
                id: sweep
                objectName: "largeFiles.sweep"
                anchors.bottom: parent.bottom
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(233, parent.width)
            }
        }
    }
}
