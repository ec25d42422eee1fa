pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.AppUninstall

// The three orders of the application list, in one glass strip; the current
// one in the accent on a tinted fill. Enabled in every state.
VelkGlass {
    id: root
    required property AppUninstallScreen screen

    radius: VDS.Radius.s
    implicitWidth: buttons.implicitWidth + 6
    implicitHeight: 32

    Row {
        id: buttons
        anchors.centerIn: parent
        spacing: 2

        Repeater {
            model: [
                { mode: AppUninstallScreen.Size, name: "size", zh: "大小", en: "Size" },
                { mode: AppUninstallScreen.RecentInstall, name: "recentInstall", zh: "安装", en: "Recent" },
                { mode: AppUninstallScreen.Name, name: "name", zh: "名称", en: "Name" }
            ]
            delegate: Rectangle {
                id: button
                required property var modelData
                readonly property bool current: root.screen.sortMode === modelData.mode

                objectName: "appUninstall.sort." + modelData.name
                width: label.implicitWidth + 16
                height: 26
                radius: 6
                color: current ? VDS.withOpacity(VDS.C.accent, 0.14) : "transparent"
                Accessible.role: Accessible.Button
                Accessible.name: label.text
                Accessible.onPressAction: ButtonPress.act(button, () => { root.screen.sortMode = button.modelData.mode })

                VelkText {
                    id: label
                    // The control carries it as its name.
                    Accessible.ignored: true
                    anchors.centerIn: parent
                    text: Lang.t(button.modelData.zh, button.modelData.en)
                    textFormat: Text.PlainText
                    font: VDS.font(11.5, button.current ? Font.DemiBold : Font.Medium)
                    color: button.current ? VDS.C.accent : VDS.C.text2
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: root.screen.sortMode = button.modelData.mode
                }
            }
        }
    }
}
