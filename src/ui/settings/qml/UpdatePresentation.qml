import QtQuick
import Velk.Design
import Velk.Models
import Velk.Settings

// What a window shows of the update controller: the prompt sheet for an
// offer, the outcome of a check the user asked for, and why an install
// failed. Each alert clears only its own value when the user closes it;
// its message stays in the language of its check while its title and
// button follow the interface language. Only the window whose presentation
// is `active` shows them; one that stops being active hands them on without
// clearing anything.
Item {
    id: root
    required property UpdateController updates
    property bool active: true

    UpdatePromptSheet {
        updates: root.updates
        active: root.active
    }

    VelkAlert {
        objectName: "update.statusAlert"
        presented: root.active && root.updates.hasStatusAlert
        title: Lang.t(root.updates.statusAlert.titleZh, root.updates.statusAlert.titleEn)
        message: root.updates.statusAlert.message
        onClosed: {
            if (root.active)
                root.updates.dismissStatusAlert()
        }

        AlertButton {
            text: Lang.t("好", "OK")
            role: AlertButton.Default
        }
    }

    VelkAlert {
        objectName: "update.installErrorAlert"
        presented: root.active && root.updates.hasInstallError
        title: Lang.t("未能安装更新", "Update Failed")
        message: root.updates.installError
        onClosed: {
            if (root.active)
                root.updates.dismissInstallError()
        }

        AlertButton {
            text: Lang.t("好", "OK")
            role: AlertButton.Default
        }
    }
}
