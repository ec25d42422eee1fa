import QtQuick
import Velk.Design
import Velk.Models
import Velk.LargeFiles

// One found file: the selection mark, its kind, name and path (with a
// warning for the operating system's folders), size, age, and two buttons,
// one for its dependencies and one that shows it in the file manager. A
// click anywhere else toggles its selection.
Item {
    id: root
    // The file's id: "largeFiles.row[ID]" finds this row.
    property string key
    required property string path
    required property string name
    required property double size
    required property string formattedSize
    required property var modificationDate
    required property bool isSelected
    required property bool isSystem
    required property bool isDirectory
    required property LargeFilesScreen screen

    signal toggle()
    signal inspect()
    signal reveal()

    function tone(role) {
        switch (role) {
        case "accent": return VDS.C.accent
        case "amber": return VDS.C.amber
        case "slate": return VDS.C.slate
        default: return VDS.C.text1
        }
    }

    objectName: "largeFiles.row"
    implicitHeight: texts.implicitHeight + 16
    Accessible.role: Accessible.CheckBox
    Accessible.name: root.name + Lang.t("，", ", ") + root.formattedSize
    Accessible.checkable: true
    Accessible.checked: root.isSelected
    Accessible.onToggleAction: ButtonPress.act(root, () => root.toggle())
    Accessible.onPressAction: ButtonPress.act(root, () => root.toggle())

    // Selection shows in the checkbox alone.
    VelkRowBackground {
        anchors.fill: parent
        hovered: area.containsMouse
    }

    // Below the buttons, which take their own clicks.
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.toggle()
    }

    Row {
        id: columns
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: LargeFileColumns.spacing

        VelkCheckbox {
            objectName: "largeFiles.row.checkbox"
            anchors.verticalCenter: parent.verticalCenter
            width: 13
            height: 13
            isChecked: root.isSelected
            interactive: false
        }
        SymbolIcon {
            objectName: "largeFiles.row.kind"
            anchors.verticalCenter: parent.verticalCenter
            width: LargeFileColumns.icon
            height: LargeFileColumns.icon
            name: root.screen.kindSymbol(root.path, root.isDirectory)
            size: 13
            font.weight: Font.Medium
            color: root.tone(root.screen.kindTone(root.path, root.isDirectory))
        }
        Column {
            id: texts
            anchors.verticalCenter: parent.verticalCenter
            width: Math.max(0, columns.width - x - 4 * columns.spacing - LargeFileColumns.size - LargeFileColumns.date
                            - 2 * LargeFileColumns.button)
            spacing: 2

            VelkNameText {
                objectName: "largeFiles.row.name"
                // The row carries it as its name.
                Accessible.ignored: true
                width: parent.width
                name: root.name
                font: VDS.font(12.5, Font.Medium)
                color: VDS.C.text1
            }
            VelkNameText {
                objectName: "largeFiles.row.path"
                width: parent.width
                name: root.path
                font: VDS.font(10.5, Font.Normal, true)
                color: VDS.C.text3
                shortening: Text.ElideMiddle
            }
            VelkText {
                objectName: "largeFiles.row.systemBadge"
                visible: root.isSystem
                width: parent.width
                text: Lang.t("系统目录 · 谨慎删除", "System folder · delete with care")
                textFormat: Text.PlainText
                font: VDS.font(10.5, Font.Medium)
                color: VDS.C.amber
                elide: Text.ElideRight
                maximumLineCount: 1
            }
        }
        VelkText {
            objectName: "largeFiles.row.size"
            // The row carries it as its name.
            Accessible.ignored: true
            anchors.verticalCenter: parent.verticalCenter
            width: LargeFileColumns.size
            horizontalAlignment: Text.AlignRight
            text: root.formattedSize
            textFormat: Text.PlainText
            font: VDS.font(12, Font.DemiBold, true)
            color: root.tone(root.screen.sizeTone(root.size))
        }
        VelkText {
            objectName: "largeFiles.row.date"
            anchors.verticalCenter: parent.verticalCenter
            width: LargeFileColumns.date
            horizontalAlignment: Text.AlignRight
            text: root.modificationDate === undefined ? "—" : Format.relativeDate(root.modificationDate)
            textFormat: Text.PlainText
            font: VDS.font(11)
            color: VDS.C.text3
            elide: Text.ElideRight
        }
        Item {
            anchors.verticalCenter: parent.verticalCenter
            width: LargeFileColumns.button
            height: LargeFileColumns.button

            RowButton {
                objectName: "largeFiles.row.inspect"
                symbol: "point.3.connected.trianglepath.dotted"
                tint: VDS.C.accent
                tip: Lang.t("查看依赖关系：谁在用、谁引用", "Dependencies: who uses or references it")
                onClicked: root.inspect()
            }
        }
        RowButton {
            objectName: "largeFiles.row.reveal"
            anchors.verticalCenter: parent.verticalCenter
            symbol: "folder"
            tint: VDS.C.text2
            tip: Lang.t(SystemWords.revealZh, SystemWords.revealEn)
            onClicked: root.reveal()
        }
    }

    // A 28 × 28 symbol button that takes its own clicks.
    component RowButton: Item {
        id: button
        property string symbol
        property color tint
        property string tip
        signal clicked()

        width: LargeFileColumns.button
        height: LargeFileColumns.button
        Accessible.role: Accessible.Button
        Accessible.name: tip
        Accessible.onPressAction: ButtonPress.act(button, () => button.clicked())

        SymbolIcon {
            anchors.centerIn: parent
            name: button.symbol
            size: 11.5
            color: button.tint
        }
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: button.clicked()
        }
        VelkToolTip {
            text: button.tip
        }
    }
}
