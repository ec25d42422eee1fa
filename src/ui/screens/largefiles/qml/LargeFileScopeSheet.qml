pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.LargeFiles

// Where the next scan looks: the volumes and their folders, ticked as the
// user last left them. Start Scan hands the ticked folders on; every way of
// closing remembers the ticks.
VelkSheet {
    id: root
    signal start(var paths)

    sheetWidth: 460
    sheetHeight: Math.ceil(column.implicitHeight + 2 * VDS.Space.l)
    title: Lang.t("扫描范围", "Scan scope")

    // Fresh trees and the remembered ticks at each opening.
    onPresentedChanged: {
        if (presented)
            scope.load()
    }
    onClosed: scope.save()

    LargeFileScope {
        id: scope
    }

    Column {
        id: column
        x: VDS.Space.l
        y: VDS.Space.l
        width: root.sheetWidth - 2 * VDS.Space.l

        VelkText {
            width: parent.width
            bottomPadding: VDS.Space.xs
            text: Lang.t("扫描范围", "Scan scope")
            textFormat: Text.PlainText
            font: VDS.title()
            color: VDS.C.text1
        }
        VelkText {
            width: parent.width
            bottomPadding: VDS.Space.m
            text: Lang.t("会记住上次勾选的目录。勾选上一层会包含它下面的文件夹。",
                         "Your last choices are remembered. Checking a parent includes its folders.")
            textFormat: Text.PlainText
            font: VDS.caption()
            color: VDS.C.text3
            wrapMode: Text.Wrap
        }
        ListView {
            objectName: "largeFiles.scope.tree"
            width: parent.width
            height: 320
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: scope.rows
            ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

            delegate: ScopeTreeRow {
                id: row
                width: ListView.view.width
                onToggleSelected: scope.toggleSelected(row.key)
                onToggleExpanded: scope.toggleExpanded(row.key)
            }
        }
        Item {
            width: parent.width
            height: VDS.Space.m + buttons.height

            Row {
                id: buttons
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                spacing: VDS.Space.s

                VelkTintedButton {
                    objectName: "largeFiles.scope.cancel"
                    text: Lang.t("取消", "Cancel")
                    onClicked: root.dismiss()
                }
                VelkPrimaryButton {
                    objectName: "largeFiles.scope.start"
                    gold: true
                    enabled: scope.hasSelection
                    text: Lang.t("开始扫描", "Start Scan")
                    onClicked: root.start(scope.startPaths())
                }
            }
        }
    }
}
