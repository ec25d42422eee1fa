pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.Models

// Before the first scan, or after one that found nothing: the size presets
// and Start Scan, which opens the scope sheet.
VelkEmptyState {
    id: root
    required property LargeFilesViewModel viewModel
    readonly property var presets: [50, 100, 250, 500]

    signal startScan()

    icon: "doc.viewfinder"
    title: Lang.t("查找大体积文件", "Find Large Files")

    Column {
        spacing: 16

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 6

            Repeater {
                model: root.presets
                delegate: Item {
                    id: chip
                    required property int modelData
                    readonly property int key: modelData
                    readonly property bool checked: Math.trunc(root.viewModel.minSizeMB) === modelData

                    objectName: "largeFiles.preset"
                    implicitWidth: label.implicitWidth + 20
                    implicitHeight: label.implicitHeight + 10

                    Accessible.role: Accessible.Button
                    Accessible.name: label.text
                    Accessible.onPressAction: ButtonPress.act(chip, () => chip.choose())

                    function choose() {
                        root.viewModel.minSizeMB = chip.modelData
                    }

                    Rectangle {
                        anchors.fill: parent
                        radius: height / 2
                        color: chip.checked ? VDS.withOpacity(VDS.C.accent, 0.13) : VDS.C.hover
                        border.width: 0.75
                        border.color: chip.checked ? VDS.C.borderWarm : VDS.C.border
                        Behavior on color {
                            ColorAnimation { duration: 180; easing.type: Easing.OutCubic }
                        }
                    }
                    VelkText {
                        id: label
                        // The control carries it as its name.
                        Accessible.ignored: true
                        anchors.centerIn: parent
                        text: "≥ " + Format.decimal(chip.modelData) + " MB"
                        textFormat: Text.PlainText
                        font: VDS.font(11, chip.checked ? Font.DemiBold : Font.Medium, true)
                        color: chip.checked ? VDS.C.accent : VDS.C.text3
                    }
                    MouseArea {
                        anchors.fill: parent
                        cursorShape: Qt.PointingHandCursor
                        onClicked: chip.choose()
                    }
                }
            }
        }

        VelkPrimaryButton {
            objectName: "largeFiles.startScan"
            anchors.horizontalCenter: parent.horizontalCenter
            height: 36
            leftPadding: VDS.Space.m + 6
            rightPadding: VDS.Space.m + 6
            text: Lang.t("开始扫描", "Start Scan")
            onClicked: root.startScan()
        }
    }
}
