import QtQuick
import Velk.Design
import Velk.Models
import Velk.Settings

// What the main window shows of the update controller: the prompt sheet for
// an offer, the outcome of a check the user asked for, and why an install
// failed. Each alert clears only its own value when it closes, however it
// closes; its message stays in the language of its check while its title
// and button follow the interface language.
Item {
    id: root
    required property UpdateController updates

    UpdatePromptSheet {
        updates: root.updates
    }

    VelkAlert {
        objectName: "update.statusAlert"
        presented: root.updates.hasStatusAlert
        title: Lang.t(root.updates.statusAlert.titleZh, root.updates.statusAlert.titleEn)
        message: root.updates.statusAlert.message
        onClosed: root.updates.dismissStatusAlert()

        AlertButton {
            text: Lang.t("好", "OK")
            role: AlertButton.Default
        }
    }

    VelkAlert {
        objectName: "update.installErrorAlert"
        presented: root.updates.hasInstallError
        title: Lang.t("未能安装更新", "Update Failed")
        message: root.updates.installError
        onClosed: root.updates.dismissInstallError()

        AlertButton {
            text: Lang.t("好", "OK")
            role: AlertButton.Default
        }
    }
}
