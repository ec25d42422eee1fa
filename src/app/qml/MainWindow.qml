import QtQuick
import QtQuick.Controls.Basic
import Velk.Design
import Velk.Shell
import Velk.App

// The main window: the in-window menu bar and the root view. It also owns
// the one Settings window.
ApplicationWindow {
    id: window
    required property VelkCleanApp app
    property bool appeared: false

    // Opens the Settings window, or brings it to the front.
    function showSettings() {
        settings.show()
        settings.raise()
        settings.requestActivate()
    }

    objectName: "mainWindow"
    title: "Velk Clean"
    visible: true
    width: VDS.Measure.windowWidth
    height: VDS.Measure.windowHeight + menuBar.implicitHeight
    minimumWidth: VDS.Measure.windowWidth
    minimumHeight: VDS.Measure.windowHeight + menuBar.implicitHeight
    color: VDS.C.bg0
    palette.window: VDS.C.bg0
    palette.windowText: VDS.C.text1
    palette.base: VDS.C.bgElevated
    palette.text: VDS.C.text1
    palette.button: VDS.C.bg1
    palette.buttonText: VDS.C.text1
    palette.highlight: VDS.C.accent
    palette.highlightedText: VDS.C.onAccent
    palette.mid: VDS.C.border
    palette.dark: VDS.C.borderStrong
    palette.light: VDS.C.bg2
    palette.toolTipBase: VDS.C.bgElevated
    palette.toolTipText: VDS.C.text1

    onVisibleChanged: {
        if (visible && !appeared) {
            appeared = true
            content.appear()
        }
    }
    Component.onCompleted: {
        if (visible && !appeared) {
            appeared = true
            content.appear()
        }
    }

    // Both commands are enabled and do nothing.
    Action {
        id: scanJunk
        objectName: "menu.tools.scanJunk"
        text: Lang.t("扫描系统垃圾", "Scan System Junk")
        shortcut: "Ctrl+Shift+S"
    }
    Action {
        id: cleanLargeFiles
        objectName: "menu.tools.cleanLargeFiles"
        text: Lang.t("清理大文件", "Clean Large Files")
        shortcut: "Ctrl+Shift+L"
    }
    Action {
        id: openSettings
        objectName: "menu.app.settings"
        text: Lang.t("设置…", "Settings…")
        shortcut: "Ctrl+,"
        onTriggered: window.showSettings()
    }
    Action {
        id: quit
        objectName: "menu.app.quit"
        text: Lang.t("退出 Velk Clean", "Quit Velk Clean")
        shortcut: "Ctrl+Q"
        onTriggered: Qt.quit()
    }

    menuBar: MenuBar {
        objectName: "menuBar"
        font: VDS.body()
        // Each title is named by its menu: "menuBar.menu[menu.tools]".
        delegate: MenuBarItem {
            id: menuTitle
            objectName: "menuBar.menu"
            readonly property string key: menu ? menu.objectName : ""
            Accessible.onPressAction: ButtonPress.click(menuTitle)
        }
        background: Rectangle {
            implicitHeight: 28
            color: VDS.C.bg1
            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 1
                color: VDS.C.borderFaint
            }
        }
        VelkContextMenu {
            objectName: "menu.app"
            title: "Velk Clean"
            VelkMenuItem { objectName: "menu.app.settings.item"; action: openSettings }
            MenuSeparator { }
            VelkMenuItem { objectName: "menu.app.quit.item"; action: quit }
        }
        VelkContextMenu {
            objectName: "menu.tools"
            title: Lang.t("工具", "Tools")
            VelkMenuItem { objectName: "menu.tools.scanJunk.item"; action: scanJunk }
            VelkMenuItem { objectName: "menu.tools.cleanLargeFiles.item"; action: cleanLargeFiles }
        }
    }

    ContentView {
        id: content
        anchors.fill: parent
        navigator: window.app.navigator
        layout: window.app.sidebar
        models: window.app.models
        presentsUpdates: !settings.answersUpdates
        onSettingsRequested: window.showSettings()
    }

    FocusRing { }

    SettingsWindow {
        id: settings
        transientParent: null
        updates: window.app.models.updates
    }
}
