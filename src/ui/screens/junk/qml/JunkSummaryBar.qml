import QtQuick
import Velk.Design
import Velk.Models
import Velk.SystemJunk

// Over the category list: the progress of a running scan, or after a
// complete one the totals and Select All / None.
Item {
    id: root
    required property SystemJunkViewModel viewModel
    required property SystemJunkScreen screen
    readonly property bool scanning: viewModel.isScanning
    readonly property bool complete: viewModel.scanComplete && !viewModel.isScanning

    implicitHeight: Math.max(status.implicitHeight, selection.implicitHeight, VDS.Measure.control) + 20

    Row {
        id: status
        anchors.left: parent.left
        anchors.leftMargin: VDS.Space.l
        anchors.right: selection.left
        anchors.rightMargin: VDS.Space.m
        anchors.verticalCenter: parent.verticalCenter

        Row {
            objectName: "systemJunk.progress"
            visible: root.scanning
            spacing: 8
            width: parent.width

            Spinner {
                anchors.verticalCenter: parent.verticalCenter
            }
            VelkText {
                id: progressText
                objectName: "systemJunk.progressText"
                anchors.verticalCenter: parent.verticalCenter
                text: Lang.t(root.screen.progressText, root.screen.progressTextEnglish)
                textFormat: Text.PlainText
                font: VDS.font(12, Font.Medium, true)
                color: VDS.C.text2
            }
            VelkText {
                objectName: "systemJunk.scanningCategory"
                anchors.verticalCenter: parent.verticalCenter
                visible: text.length > 0
                width: Math.max(0, parent.width - x)
                text: Lang.t(root.screen.scanningTitle, root.screen.scanningTitleEnglish)
                textFormat: Text.PlainText
                font: VDS.font(12)
                color: VDS.C.text3
                maximumLineCount: 1
                elide: Text.ElideRight
            }
        }

        Row {
            objectName: "systemJunk.stats"
            visible: root.complete
            spacing: 12

            JunkStat {
                objectName: "systemJunk.total"
                anchors.verticalCenter: parent.verticalCenter
                label: Lang.t("全部", "Total")
                value: Format.bytes(root.screen.totalFound)
                color: VDS.C.text1
            }
            VelkMetallicDivider {
                anchors.verticalCenter: parent.verticalCenter
                axis: VelkMetallicDivider.Vertical
                height: VDS.Space.m
            }
            JunkStat {
                objectName: "systemJunk.selected"
                anchors.verticalCenter: parent.verticalCenter
                label: Lang.t("已选", "Selected")
                value: Format.bytes(root.screen.selectedSize)
                color: VDS.C.accent
            }
            VelkMetallicDivider {
                objectName: "systemJunk.freedDivider"
                anchors.verticalCenter: parent.verticalCenter
                visible: root.screen.totalCleaned >= 1
                axis: VelkMetallicDivider.Vertical
                height: VDS.Space.m
            }
            JunkStat {
                objectName: "systemJunk.freed"
                anchors.verticalCenter: parent.verticalCenter
                visible: root.screen.totalCleaned >= 1
                label: Lang.t("已释放", "Freed")
                value: Format.bytes(root.screen.totalCleaned)
                color: VDS.C.green
            }
        }
    }

    Row {
        id: selection
        objectName: "systemJunk.selection"
        anchors.right: parent.right
        anchors.rightMargin: VDS.Space.l
        anchors.verticalCenter: parent.verticalCenter
        visible: root.viewModel.scanComplete
        width: visible ? implicitWidth : 0
        spacing: 8

        VelkGhostButton {
            objectName: "systemJunk.selectAll"
            text: Lang.t("全选", "Select All")
            onClicked: root.viewModel.setAllSelected(true)
        }
        VelkGhostButton {
            objectName: "systemJunk.selectNone"
            text: Lang.t("全不选", "None")
            onClicked: root.viewModel.setAllSelected(false)
        }
    }

    VelkMetallicDivider {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }
}
