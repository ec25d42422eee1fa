import QtQuick
import Velk.Design
import Velk.Models

// The smallest size a scan reports: "≥ N MB" and a slider from 10 to 500 in
// steps of 10, on a glass plate. A compact picker has a shorter slider, for a
// header short of room.
Item {
    id: root
    required property LargeFilesViewModel viewModel
    property bool compact: false

    implicitWidth: row.implicitWidth + 20
    implicitHeight: 32
    baselineOffset: row.y + label.y + label.baselineOffset

    VelkGlass {
        anchors.fill: parent
        radius: VDS.Radius.s
    }
    Rectangle {
        anchors.fill: parent
        radius: VDS.Radius.s
        color: "transparent"
        border.width: 0.75
        border.color: VDS.C.border
    }
    Row {
        id: row
        x: 10
        anchors.verticalCenter: parent.verticalCenter
        spacing: 8

        VelkText {
            id: label
            objectName: "largeFiles.threshold.label"
            anchors.verticalCenter: parent.verticalCenter
            width: 64
            horizontalAlignment: Text.AlignRight
            text: "≥ " + Format.decimal(Math.trunc(root.viewModel.minSizeMB)) + " MB"
            textFormat: Text.PlainText
            font: VDS.font(11, Font.DemiBold, true)
            color: VDS.C.accent
        }
        VelkSlider {
            objectName: "largeFiles.threshold.slider"
            anchors.verticalCenter: parent.verticalCenter
            width: root.compact ? 56 : 92
            small: true
            from: 10
            to: 500
            stepSize: 10
            value: root.viewModel.minSizeMB
            Accessible.name: Lang.t("最小文件大小", "Minimum file size")
            onMoved: root.viewModel.minSizeMB = value
        }
    }
}
