import QtQuick
import Velk.Design
import Velk.Models

// One startup item: selection box, icon, name with the loaded dot and the
// scope badge over the launchd label, buttons to reveal the property list and
// to remove the item, "Unknown" while launchd's view of it was not read, and
// the enabled switch. A tap anywhere else toggles the selection. The row
// only reports; the screen decides.
Item {
    id: root
    // The list's roles.
    required property string label
    required property string displayName
    required property string plistPath
    required property var appBundlePath
    required property string scope
    required property bool isEnabled
    required property bool isLoaded
    required property bool statusKnown
    required property bool isSelected
    // Finds this row, and its controls, by name: "startup.row[LABEL]".
    readonly property string key: label
    // The scope's English title (the scope role holds the Chinese one).
    property string englishScope
    // A system daemon shows a gear without an application icon, an agent
    // a bolt.
    property bool isDaemon: false
    readonly property bool hasBundle: (appBundlePath ?? "").length > 0

    signal selectToggled()
    signal enabledToggled()
    signal removeRequested()
    signal revealRequested()

    objectName: "startup.row"
    implicitHeight: content.implicitHeight + 20
    Accessible.role: Accessible.CheckBox
    Accessible.name: root.displayName
    Accessible.checkable: true
    Accessible.checked: root.isSelected
    Accessible.onToggleAction: ButtonPress.act(root, () => root.selectToggled())
    Accessible.onPressAction: ButtonPress.act(root, () => root.selectToggled())

    VelkRowBackground {
        objectName: "startup.row.fill"
        anchors.fill: parent
        selected: root.isSelected
        hovered: hover.hovered
    }
    HoverHandler {
        id: hover
    }
    // Taps that no control takes toggle the selection.
    MouseArea {
        objectName: "startup.row.tap"
        anchors.fill: parent
        onClicked: root.selectToggled()
    }

    Row {
        id: content
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12

        VelkCheckbox {
            objectName: "startup.row.checkbox"
            readonly property string key: root.key
            anchors.verticalCenter: parent.verticalCenter
            isChecked: root.isSelected
            // The row is the selection's accessible control.
            Accessible.ignored: true
            onToggled: root.selectToggled()
        }

        VelkAppIconTile {
            objectName: "startup.row.icon"
            anchors.verticalCenter: parent.verticalCenter
            size: 32
            radius: 7
            path: root.hasBundle ? root.appBundlePath : ""
            symbol: root.isDaemon ? "gearshape.2" : "bolt"
            symbolSize: 13.5
            symbolWeight: Font.Medium
            symbolColor: VDS.C.accent
        }

        Column {
            id: texts
            anchors.verticalCenter: parent.verticalCenter
            width: content.width - 34 - 32 - 26 - 26 - (unknown.visible ? unknown.width + content.spacing : 0)
                   - toggle.width - 5 * content.spacing
            spacing: 2

            Row {
                width: parent.width
                spacing: 6

                VelkNameText {
                    objectName: "startup.row.name"
                    // The row carries it as its name.
                    Accessible.ignored: true
                    anchors.verticalCenter: parent.verticalCenter
                    fitWidth: parent.width - (loadedDot.visible ? loadedDot.width + 6 : 0) - badge.width - 6
                    width: Math.min(implicitWidth, fitWidth)
                    name: root.displayName
                    font: VDS.font(13, Font.Medium)
                    color: root.isEnabled ? VDS.C.text1 : VDS.C.text2
                }
                Rectangle {
                    id: loadedDot
                    objectName: "startup.row.loaded"
                    anchors.verticalCenter: parent.verticalCenter
                    visible: root.isLoaded
                    width: 5.5
                    height: 5.5
                    radius: 2.75
                    color: VDS.C.green
                    VelkToolTip {
                        anchors.margins: -4
                        text: Lang.t("已加载（不一定正在运行）", "Loaded (not necessarily running)")
                    }
                }
                Rectangle {
                    id: badge
                    anchors.verticalCenter: parent.verticalCenter
                    width: scopeText.implicitWidth + 12
                    height: scopeText.implicitHeight + 3
                    radius: height / 2
                    color: VDS.C.bg3

                    VelkText {
                        id: scopeText
                        objectName: "startup.row.scope"
                        anchors.centerIn: parent
                        text: Lang.t(root.scope, root.englishScope)
                        textFormat: Text.PlainText
                        font: VDS.font(10.5)
                        color: VDS.C.text3
                    }
                }
            }
            VelkNameText {
                objectName: "startup.row.label"
                width: parent.width
                name: root.label
                font: VDS.font(10.5, Font.Normal, true)
                color: VDS.C.text3
                shortening: Text.ElideMiddle
            }
        }

        StartupIconButton {
            objectName: "startup.row.reveal"
            readonly property string key: root.key
            anchors.verticalCenter: parent.verticalCenter
            symbol: "folder"
            help: Lang.t(SystemWords.revealZh, SystemWords.revealEn)
            onClicked: root.revealRequested()
        }
        StartupIconButton {
            objectName: "startup.row.remove"
            readonly property string key: root.key
            anchors.verticalCenter: parent.verticalCenter
            symbol: "trash"
            help: Lang.t("移除", "Remove")
            onClicked: root.removeRequested()
        }
        VelkText {
            id: unknown
            objectName: "startup.row.unknown"
            anchors.verticalCenter: parent.verticalCenter
            visible: !root.statusKnown
            text: Lang.t("状态未知", "Unknown")
            textFormat: Text.PlainText
            font: VDS.font(10)
            color: VDS.C.amber
        }
        VelkSwitch {
            id: toggle
            objectName: "startup.row.switch"
            readonly property string key: root.key
            anchors.verticalCenter: parent.verticalCenter
            enabled: root.statusKnown
            isOn: root.isEnabled
            // Named by its item, as each row's switch must be told apart.
            Accessible.name: root.displayName
            Accessible.description: switchTip.text
            onToggled: root.enabledToggled()
            VelkToolTip {
                id: switchTip
                text: Lang.t("允许 launchd 按配置触发；与应用内开机启动设置不同",
                             "Allow launchd triggers; separate from the app’s login preference")
            }
        }
    }
}
