import QtQuick
import Velk.Design
import Velk.Models
import Velk.Settings

// The update prompt as a sheet: shown while the controller has an offer to
// prompt for; however it closes (its close button, Escape, Later, Skip) the
// offer is cleared, and clearing the offer closes it. Closing never stops an
// install that runs.
VelkSheet {
    id: sheet
    required property UpdateController updates

    objectName: "updatePrompt.sheet"
    presented: updates.hasPromptUpdate
    sheetWidth: 610
    sheetHeight: Math.ceil(prompt.implicitHeight)
    title: Lang.t("发现新版本", "Update Available")
    onClosed: updates.dismissPrompt()

    UpdatePromptView {
        id: prompt
        anchors.fill: parent
        updates: sheet.updates
        offer: sheet.updates.promptUpdate
        onDismissRequested: sheet.dismiss()
    }
}
