import QtQuick
import Velk.Design
import Velk.Models
import Velk.Settings

// The update prompt as a sheet: shown while the controller has an offer to
// prompt for; however it closes (its close button, Escape, Later, Skip) the
// offer is cleared, and clearing the offer closes it. Closing never stops an
// install that runs. While not `active` it stays closed and leaves the offer
// to the window that shows it.
VelkSheet {
    id: sheet
    required property UpdateController updates
    property bool active: true

    objectName: "updatePrompt.sheet"
    presented: active && updates.hasPromptUpdate
    sheetWidth: 610
    sheetHeight: Math.ceil(prompt.implicitHeight)
    title: Lang.t("发现新版本", "Update Available")
    onClosed: {
        if (active)
            updates.dismissPrompt()
    }

    UpdatePromptView {
        id: prompt
        anchors.fill: parent
        updates: sheet.updates
        offer: sheet.updates.promptUpdate
        onDismissRequested: sheet.dismiss()
    }
}
