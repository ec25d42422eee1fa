import QtQuick
import Velk.Design

// One junk category: a display-only checkbox, the icon, title and folder,
// and the size. A tap selects the whole category, or clears it when any of
// it is selected.
Item {
    id: root
    required property string categoryId
    required property string title
    required property string englishTitle
    required property string subtitle
    required property string englishSubtitle
    required property string icon
    required property bool isSelected
    required property double totalSize
    // Finds this row by name: "systemJunk.row[CATEGORY]".
    readonly property string key: categoryId

    // The row's new selection for the whole category.
    signal toggleAll(bool selected)

    objectName: "systemJunk.row"
    implicitHeight: texts.implicitHeight + 20
    Accessible.role: Accessible.CheckBox
    Accessible.name: Lang.t(root.title, root.englishTitle) + Lang.t("，", ", ") + Format.bytes(root.totalSize)
    Accessible.checkable: true
    Accessible.checked: root.isSelected
    Accessible.onToggleAction: ButtonPress.act(root, () => root.toggleAll(!root.isSelected))
    Accessible.onPressAction: ButtonPress.act(root, () => root.toggleAll(!root.isSelected))

    VelkRowBackground {
        objectName: "systemJunk.row.background"
        anchors.fill: parent
        selected: root.isSelected
        hovered: hover.hovered
    }

    Row {
        anchors.left: parent.left
        anchors.leftMargin: VDS.Space.m
        anchors.right: size.left
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        spacing: 10

        VelkCheckbox {
            id: checkbox
            objectName: "systemJunk.row.checkbox"
            anchors.verticalCenter: parent.verticalCenter
            width: 13
            height: 13
            isChecked: root.isSelected
            interactive: false
        }
        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            width: 18
            name: root.icon
            size: 14
            font.weight: Font.DemiBold
            color: VDS.C.orange
        }
        Column {
            id: texts
            anchors.verticalCenter: parent.verticalCenter
            width: Math.max(0, parent.width - x)
            spacing: 1.5

            VelkText {
                objectName: "systemJunk.row.title"
                // The row carries it as its name.
                Accessible.ignored: true
                width: parent.width
                text: Lang.t(root.title, root.englishTitle)
                textFormat: Text.PlainText
                font: VDS.font(13, Font.DemiBold)
                color: VDS.C.text1
                maximumLineCount: 1
                elide: Text.ElideRight
            }
            // The category's folder as this machine places it: a cache or
            // data folder the user moved may have a name in any script.
            VelkNameText {
                objectName: "systemJunk.row.subtitle"
                width: parent.width
                name: Lang.t(root.subtitle, root.englishSubtitle)
                shortening: Text.ElideMiddle
                font: VDS.font(10)
                color: VDS.C.text3
            }
        }
    }

    VelkText {
        id: size
        objectName: "systemJunk.row.size"
        // The row carries it as its name.
        Accessible.ignored: true
        anchors.right: parent.right
        anchors.rightMargin: VDS.Space.m
        anchors.verticalCenter: parent.verticalCenter
        text: Format.bytes(root.totalSize)
        textFormat: Text.PlainText
        font: VDS.font(12, Font.DemiBold, true)
        color: VDS.C.text2
    }

    HoverHandler {
        id: hover
    }
    TapHandler {
        onTapped: root.toggleAll(!root.isSelected)
    }
}
