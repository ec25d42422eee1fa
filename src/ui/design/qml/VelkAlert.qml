pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Templates as T
import Velk.Design

// An alert the owner declares beside the state it reports and presents by
// setting `presented`. The window shows one alert at a time, centred over a
// dimmed page; buttons keep their declared order (side by side while their
// labels fit, else one under another), Escape presses the cancel button and
// Return the default one. `closed` follows every ending once.
//
//     VelkAlert {
//         objectName: "largeFiles.deleteAlert"
//         presented: root.confirmingDelete
//         title: Lang.t("删除文件？", "Delete files?")
//         onClosed: root.confirmingDelete = false
//         AlertButton { text: Lang.t("取消", "Cancel"); role: AlertButton.Cancel }
//         AlertButton { text: Lang.t("删除", "Delete"); role: AlertButton.Destructive; onTriggered: vm.delete() }
//     }
AlertPresentation {
    id: root

    // Drawn over the whole window it is shown on (a sheet's, while one is
    // up), above everything else.
    readonly property T.Popup dialog: T.Popup {
        objectName: "alert.popup"
        parent: root.hostWindow ? root.hostWindow.contentItem : null
        visible: root.shown
        modal: true
        closePolicy: T.Popup.NoAutoClose
        x: parent ? Math.round((parent.width - width) / 2) : 0
        y: parent ? Math.round((parent.height - height) / 2) : 0
        width: 300
        padding: VDS.Space.m
        implicitHeight: implicitContentHeight + topPadding + bottomPadding

        T.Overlay.modal: Rectangle {
            color: VDS.withOpacity(VDS.C.text1, 0.18)
        }

        background: Rectangle {
            radius: VDS.Radius.m
            color: VDS.C.bgElevated
            border.width: 1
            border.color: VDS.C.borderStrong
        }

        contentItem: Column { // qmllint disable deferred-property-id
            spacing: VDS.Space.s

            Text {
                objectName: "alert.title"
                width: parent.width
                text: root.title
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                font: VDS.body(Font.DemiBold)
                color: VDS.C.text1
            }
            Text {
                objectName: "alert.message"
                width: parent.width
                visible: root.message.length > 0
                text: root.message
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                font: VDS.caption()
                color: VDS.C.text2
            }
            Item {
                width: 1
                height: VDS.Space.xs

                // Every label at its full width, to tell whether the buttons
                // fit side by side; drawn nowhere and never pressed.
                Column {
                    id: labels
                    opacity: 0
                    enabled: false
                    Repeater {
                        model: root.buttons
                        delegate: VelkPrimaryButton {
                            required property AlertButton modelData
                            text: modelData.text
                        }
                    }
                }
            }
            Flow {
                id: buttonRow
                objectName: "alert.buttons"
                // One or two buttons share the row while each whole label
                // fits its half; otherwise each takes the full width, one
                // under another.
                readonly property bool sideBySide: root.buttons.length <= 2
                    && labels.implicitWidth <= (width - spacing * (root.buttons.length - 1)) / root.buttons.length
                width: parent.width
                spacing: VDS.Space.xs
                layoutDirection: Qt.LeftToRight

                Repeater {
                    model: root.buttons
                    delegate: Item {
                        id: slot
                        required property AlertButton modelData
                        required property int index
                        readonly property bool filled: modelData.role === AlertButton.Default
                                                       || modelData.role === AlertButton.Destructive
                        width: buttonRow.sideBySide
                               ? (buttonRow.width - buttonRow.spacing * (root.buttons.length - 1)) / root.buttons.length
                               : buttonRow.width
                        implicitHeight: VDS.Measure.control

                        VelkPrimaryButton {
                            objectName: slot.filled ? "alert.button." + slot.index : ""
                            visible: slot.filled
                            anchors.fill: parent
                            text: slot.modelData.text
                            destructive: slot.modelData.role === AlertButton.Destructive
                            onClicked: root.press(slot.index)
                        }
                        VelkTintedButton {
                            objectName: slot.filled ? "" : "alert.button." + slot.index
                            visible: !slot.filled
                            anchors.fill: parent
                            text: slot.modelData.text
                            onClicked: root.press(slot.index)
                        }
                    }
                }
            }

            Shortcut {
                sequence: "Escape"
                enabled: root.shown
                onActivated: root.pressCancel()
            }
            Shortcut {
                sequences: ["Return", "Enter"]
                enabled: root.shown
                onActivated: root.pressDefault()
            }
        }
    }
}
