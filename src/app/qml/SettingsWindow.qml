import QtQuick
import Velk.Design
import Velk.Models
import Velk.Settings

// The Settings window, 610 × 754, with the Settings page.
Window {
    id: settings
    required property UpdateController updates
    readonly property bool answersUpdates: visible && updates.origin === UpdateController.Settings

    objectName: "settingsWindow"
    title: Lang.t("设置", "Settings")
    width: 610
    height: 754
    minimumWidth: 610
    minimumHeight: 754
    color: VDS.C.bg0
    visible: false

    SettingsView {
        objectName: "settings.page"
        anchors.fill: parent
        updates: settings.updates
    }

    // A check asked for here is answered here while the window is open.
    UpdatePresentation {
        updates: settings.updates
        active: settings.answersUpdates
    }
}
