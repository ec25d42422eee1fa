import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Velk.Design
import Velk.Models

// "Check for Updates": offers the waiting update, else checks by hand; the
// answer shows in this window. Disabled with a spinner while a check runs; a
// pulsing dot while an update waits.
T.AbstractButton {
    id: root
    required property UpdateController updates

    enabled: !updates.isChecking
    implicitWidth: row.implicitWidth
    implicitHeight: row.implicitHeight + 2 * VDS.Space.s
    text: Lang.t("检查更新", "Check for Updates")
    Accessible.name: text
    Accessible.onPressAction: ButtonPress.click(root)
    background: Item { }

    onClicked: updates.checkFromSettings()

    RowLayout {
        id: row
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: VDS.Space.m

        SettingsIcon {
            name: "arrow.down.circle"
        }
        Row {
            spacing: VDS.Space.xs
            Layout.fillWidth: true

            VelkText {
                // The row carries it as its name.
                Accessible.ignored: true
                text: root.text
                textFormat: Text.PlainText
                font: VDS.body(Font.Medium)
                color: VDS.C.text1
                anchors.verticalCenter: parent.verticalCenter
            }
            PulsingDot {
                objectName: "settings.updateDot"
                visible: root.updates.showsBadge
                color: VDS.C.accent
                anchors.verticalCenter: parent.verticalCenter
            }
        }
        Spinner {
            objectName: "settings.updateSpinner"
            visible: root.updates.isChecking
            controlSize: Spinner.Small
        }
        SymbolIcon {
            objectName: "settings.updateChevron"
            visible: !root.updates.isChecking
            name: "chevron.right"
            size: 10
            font.weight: Font.DemiBold
            color: VDS.C.text4
        }
    }
}
