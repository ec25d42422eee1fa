import QtQuick
import Velk.Design

// The titles over the list's columns, and the mark that selects or clears
// every file the filter shows.
Item {
    id: root
    // Every shown file is selected, and at least one is shown.
    property bool allSelected: false
    signal selectAll(bool selected)

    implicitHeight: Math.max(mark.implicitHeight, titles.implicitHeight)

    Row {
        id: titles
        anchors.fill: parent
        spacing: LargeFileColumns.spacing

        VelkCheckbox {
            id: mark
            objectName: "largeFiles.selectAll"
            anchors.verticalCenter: parent.verticalCenter
            width: 13
            height: 13
            isChecked: root.allSelected
            Accessible.name: Lang.t("全选", "Select All")
            onToggled: (checked) => root.selectAll(checked)

            // The mark's own target is small; a wider one around it.
            MouseArea {
                anchors.fill: parent
                anchors.margins: -8
                onClicked: mark.toggle()
            }
        }
        Item {
            width: LargeFileColumns.icon
            height: 1
        }
        HeaderTitle {
            width: Math.max(0, titles.width - x - 4 * titles.spacing - LargeFileColumns.size - LargeFileColumns.date
                            - 2 * LargeFileColumns.button)
            text: Lang.t("文件", "File")
        }
        HeaderTitle {
            width: LargeFileColumns.size
            horizontalAlignment: Text.AlignRight
            text: Lang.t("大小", "Size")
        }
        HeaderTitle {
            width: LargeFileColumns.date
            horizontalAlignment: Text.AlignRight
            text: Lang.t("修改时间", "Modified")
        }
        Item {
            width: 2 * LargeFileColumns.button + LargeFileColumns.spacing
            height: 1
        }
    }

    component HeaderTitle: VelkText {
        height: parent ? parent.height : 0
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        font: VDS.font(11, Font.Medium)
        color: VDS.C.text3
        elide: Text.ElideRight
    }
}
