import QtQuick
import Velk.Design

// The Settings window, 610 × 754.
Window {
    id: settings
    objectName: "settingsWindow"
    title: Lang.t("设置", "Settings")
    width: 610
    height: 754
    minimumWidth: 610
    minimumHeight: 754
    color: VDS.C.bg0
    visible: false

    // SETTINGS PAGE: the Settings page joins here once it exists.
    Item {
        objectName: "settings.page"
        anchors.fill: parent
    }
}
