import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Velk.Design
import Velk.Models
import Velk.Settings

// The offer of one update, 610 wide: the installed and the offered version,
// the release notes (scrolling within 220 points), and Skip This Version,
// Later and Download & Install. While the install runs its button reads
// "Downloading…" and ignores clicks and Return; the view stays.
Item {
    id: root
    required property UpdateController updates
    // The offered release (`update` would hide the item's own update()).
    required property appUpdate offer
    readonly property string displayNotes: {
        const notes = offer.notes.trim()
        return notes.length > 0
               ? notes
               : Lang.t("暂无详细说明，建议安装后查看发行说明。",
                        "No detailed notes. Check the release notes after installing.")
    }

    // Close, Later or Skip This Version was chosen.
    signal dismissRequested()

    function install() {
        if (!updates.installing)
            updates.install(offer)
    }

    objectName: "updatePrompt"
    implicitWidth: 610
    implicitHeight: content.implicitHeight

    VelkAppBackdrop {
        anchors.fill: parent
    }

    Column {
        id: content
        width: root.width

        RowLayout {
            x: 20
            width: parent.width - 40
            height: implicitHeight + 40
            spacing: VDS.Space.xs

            Column {
                spacing: 4
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignTop
                Layout.topMargin: 20

                VelkText {
                    objectName: "updatePrompt.title"
                    text: Lang.t("发现新版本", "Update Available")
                    textFormat: Text.PlainText
                    font: VDS.title()
                    color: VDS.C.text1
                }
                VelkText {
                    objectName: "updatePrompt.version"
                    text: root.updates.localVersion + " → " + root.offer.version
                    textFormat: Text.PlainText
                    font: VDS.caption()
                    color: VDS.C.accent
                }
            }
            AbstractButton {
                id: close
                objectName: "updatePrompt.close"
                implicitWidth: 28
                implicitHeight: 28
                Layout.alignment: Qt.AlignTop
                Layout.topMargin: 20
                onClicked: root.dismissRequested()
                Accessible.name: Lang.t("关闭", "Close")
                Accessible.onPressAction: ButtonPress.click(close)

                background: VelkGlass {
                    capsule: true
                    tint: VDS.C.bg3
                }
                contentItem: SymbolIcon {
                    name: "xmark"
                    size: 11
                    font.weight: Font.DemiBold
                    color: VDS.C.text3
                }
            }
        }

        VelkMetallicDivider {
            width: parent.width
            inset: 20
        }

        Flickable {
            id: notesScroll
            objectName: "updatePrompt.notesScroll"
            x: 20
            width: parent.width - 40
            height: Math.min(panel.implicitHeight, 220)
            contentWidth: width
            contentHeight: panel.implicitHeight
            boundsBehavior: Flickable.StopAtBounds
            clip: true
            ScrollBar.vertical: ScrollBar { }

            VelkTechPanel {
                id: panel
                width: notesScroll.width
                cornerRadius: VDS.Radius.s
                implicitHeight: notes.implicitHeight + 40

                Column {
                    id: notes
                    x: 20
                    y: 20
                    width: panel.width - 40
                    spacing: 14

                    VelkTechSectionTitle {
                        width: notes.width
                        title: Lang.t("更新内容", "CHANGELOG")
                    }
                    SelectableText {
                        objectName: "updatePrompt.notes"
                        width: notes.width
                        text: root.displayNotes
                        font: VDS.body()
                        color: VDS.C.text1
                        lineSpacing: 5
                    }
                }
            }
        }

        VelkMetallicDivider {
            width: parent.width
            inset: 20
        }

        RowLayout {
            x: 20
            width: parent.width - 40
            height: implicitHeight + 40
            spacing: 10

            VelkGhostButton {
                objectName: "updatePrompt.skip"
                text: Lang.t("跳过此版本", "Skip This Version")
                onClicked: {
                    root.updates.skip(root.offer.version)
                    root.dismissRequested()
                }
            }
            Item {
                Layout.fillWidth: true
            }
            VelkGhostButton {
                objectName: "updatePrompt.later"
                text: Lang.t("稍后再说", "Later")
                onClicked: root.dismissRequested()
            }
            VelkPrimaryButton {
                objectName: "updatePrompt.install"
                enabled: !root.updates.installing
                text: root.updates.installing ? Lang.t("正在下载…", "Downloading…")
                                              : Lang.t("下载并安装", "Download & Install")
                onClicked: root.install()
            }
        }
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        enabled: root.visible && !root.updates.installing
        onActivated: root.install()
    }

    // While the notes have the focus (once clicked to select a line), that
    // read-only text keeps the keys of the window's shortcuts from them and
    // passes them on here unused: Return and Enter answer as the shortcut
    // would. (Escape goes on to the sheet, which closes.)
    Keys.onReturnPressed: root.install()
    Keys.onEnterPressed: root.install()
}
