pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.Models
import Velk.Dependencies

// What still depends on one found file before it is deleted: the analysis
// runs in the background while the header already names the file, then the
// risk banner and the report's cards follow. It changes nothing on disk;
// its actions reveal the file, a property list or open the owning
// application. Each showing analyses afresh; a report that arrives after
// the sheet closed is dropped.
VelkSheet {
    id: root
    // The inspected file: path, name and size (bytes).
    property var file: ({})
    required property DesktopActions desktop
    readonly property string path: root.file.path ?? ""

    sheetWidth: 610
    sheetHeight: 580
    title: Format.shownLine(root.file.name ?? "")

    FileDependencyAnalysis {
        id: analysisRun
        path: root.shown ? root.path : ""
    }

    Item {
        anchors.fill: parent

        DependencyHeader {
            id: header
            anchors.left: parent.left
            anchors.right: parent.right
            name: root.file.name ?? ""
            size: root.file.size ?? 0
            path: root.path
        }
        VelkMetallicDivider {
            id: divider
            anchors.top: header.bottom
            anchors.left: parent.left
            anchors.right: parent.right
        }
        Item {
            anchors.top: divider.bottom
            anchors.bottom: footer.top
            anchors.left: parent.left
            anchors.right: parent.right

            Column {
                objectName: "largeFiles.dependencies.progress"
                visible: analysisRun.analysing
                anchors.centerIn: parent
                spacing: VDS.Space.s

                Spinner {
                    anchors.horizontalCenter: parent.horizontalCenter
                    controlSize: Spinner.Regular
                }
                VelkText {
                    text: Lang.t("正在检查进程占用与引用…", "Checking open handles and references…")
                    textFormat: Text.PlainText
                    font: VDS.font(12, Font.Normal, true)
                    color: VDS.C.text3
                }
            }
            DependencyReportView {
                objectName: "largeFiles.dependencies.report"
                visible: !analysisRun.analysing && root.shown
                anchors.fill: parent
                report: analysisRun.report
                analysis: analysisRun
                desktop: root.desktop
            }
        }
        Item {
            id: footer
            anchors.bottom: parent.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            height: reveal.height + 2 * VDS.Space.s

            VelkTintedButton {
                id: reveal
                objectName: "largeFiles.dependencies.reveal"
                anchors.left: parent.left
                anchors.leftMargin: VDS.Space.l
                anchors.verticalCenter: parent.verticalCenter
                symbol: "folder"
                text: Lang.t(SystemWords.revealZh, SystemWords.revealEn)
                onClicked: root.desktop.reveal(root.path)
            }
            // Escape closes the sheet too.
            VelkPrimaryButton {
                objectName: "largeFiles.dependencies.close"
                anchors.right: parent.right
                anchors.rightMargin: VDS.Space.l
                anchors.verticalCenter: parent.verticalCenter
                text: Lang.t("关闭", "Close")
                onClicked: root.dismiss()
            }
        }
    }
}
