import QtQuick
import Velk.Design
import Velk.Models
import Velk.Settings

// The Settings window with the Settings page: it opens at 610 × 754 (no
// taller than the screen's free height) and can be resized; the page
// scrolls when the window is lower than its groups.
Window {
    id: settings
    required property UpdateController updates
    readonly property bool answersUpdates: visible && updates.origin === UpdateController.Settings

    objectName: "settingsWindow"
    title: Lang.t("设置", "Settings")
    width: 610
    height: Math.min(754, Screen.desktopAvailableHeight)
    // The page's column and its insets; a title and a group or two.
    minimumWidth: VDS.Measure.column + 2 * VDS.Space.xl
    minimumHeight: 320
    color: VDS.C.bg0
    visible: false

    SettingsView {
        objectName: "settings.page"
        anchors.fill: parent
        updates: settings.updates
    }

    FocusRing { }

    // A check asked for here is answered here while the window is open.
    UpdatePresentation {
        updates: settings.updates
        active: settings.answersUpdates
    }
}
