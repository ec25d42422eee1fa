pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Templates as T
import Velk.Design

// An alert the owner declares beside the state it reports and presents by
// setting `presented`. The window shows one alert at a time, centred over a
// dimmed page; buttons keep their declared order (side by side while their
// labels fit, else one under another), Escape presses the cancel button and
// Return the default one. `closed` follows every ending once. However long
// its message, the alert stays inside its window with its title and
// buttons: a message taller than the room left scrolls (wheel, bar, arrow
// and page keys, Home and End) and opens at its top.
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
    dialogItem: popup.frame

    // Drawn over the whole window it is shown on (a sheet's, while one is
    // up), above everything else.
    readonly property T.Popup dialog: T.Popup {
        id: popup
        objectName: "alert.popup"
        parent: root.hostWindow ? root.hostWindow.contentItem : null
        visible: root.shown
        modal: true
        closePolicy: T.Popup.NoAutoClose
        x: parent ? Math.round((parent.width - width) / 2) : 0
        // Centred by the height it asks for: the popup takes that height only
        // when it places itself, so a binding on its own height would be
        // re-entered by its own placing while the window is resized.
        y: parent ? Math.round((parent.height - implicitHeight) / 2) : 0
        width: 300
        padding: VDS.Space.m
        implicitHeight: implicitContentHeight + topPadding + bottomPadding
        // Keys go to the alert while it is up, not to the page under it.
        focus: true

        // The height the alert may take: its window's, less a margin.
        readonly property real room: parent ? parent.height - 2 * VDS.Space.l : Infinity

        // The popup's own item is the dialog a screen reader finds, named
        // by the title, described by the message.
        readonly property Item frame: contentItem ? contentItem.parent : null
        Binding {
            target: popup.frame
            property: "Accessible.name"
            value: root.title
        }
        Binding {
            target: popup.frame
            property: "Accessible.description"
            value: root.message
        }

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

            VelkText {
                id: title
                objectName: "alert.title"
                // The dialog carries the title as its name.
                Accessible.ignored: true
                width: parent.width
                text: root.title
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                font: VDS.body(Font.DemiBold)
                color: VDS.C.text1
            }
            Item {
                // The whole message while it fits, else what the title and
                // the buttons leave of the room; at least a few lines.
                readonly property real spare: popup.room - popup.topPadding - popup.bottomPadding
                    - title.height - gap.height - buttonRow.height - 3 * parent.spacing
                width: parent.width
                height: Math.min(message.implicitHeight, Math.max(spare, 3 * messageScroll.line))
                visible: root.message.length > 0

                Flickable {
                    id: messageScroll
                    objectName: "alert.messageScroll"
                    readonly property bool scrolls: contentHeight > height
                    readonly property real line: message.font.pixelSize * 1.4
                    anchors.fill: parent
                    clip: true
                    focus: true
                    contentWidth: width
                    contentHeight: message.implicitHeight
                    boundsBehavior: Flickable.StopAtBounds
                    T.ScrollBar.vertical: scrollBar
                    // Each showing starts at the top.
                    onVisibleChanged: if (visible) contentY = 0

                    // A line at a time, a page at a time, or to either end.
                    function scrollTo(y: real) {
                        contentY = Math.max(0, Math.min(y, contentHeight - height))
                    }
                    Keys.onPressed: (event) => {
                        const page = Math.max(line, height - line)
                        const moves = {
                            [Qt.Key_Up]: contentY - line, [Qt.Key_Down]: contentY + line,
                            [Qt.Key_PageUp]: contentY - page, [Qt.Key_PageDown]: contentY + page,
                            [Qt.Key_Home]: 0, [Qt.Key_End]: contentHeight
                        }
                        if (!scrolls || !(event.key in moves))
                            return
                        scrollTo(moves[event.key])
                        event.accepted = true
                    }

                    VelkText {
                        id: message
                        objectName: "alert.message"
                        width: messageScroll.width
                        text: root.message
                        textFormat: Text.PlainText
                        wrapMode: Text.Wrap
                        horizontalAlignment: Text.AlignHCenter
                        font: VDS.caption()
                        color: VDS.C.text2
                    }
                }
                // In the alert's right margin, clear of the message.
                T.ScrollBar {
                    id: scrollBar
                    objectName: "alert.scrollBar"
                    x: parent.width + Math.round((popup.rightPadding - width) / 2)
                    height: parent.height
                    visible: messageScroll.scrolls
                    policy: T.ScrollBar.AlwaysOn
                    padding: 1
                    implicitWidth: 6
                    contentItem: Rectangle {
                        implicitWidth: 4
                        radius: 2
                        color: VDS.withOpacity(VDS.C.text2, 0.6)
                    }
                }
            }
            Item {
                id: gap
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
                            Accessible.ignored: true
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
                            Accessible.ignored: !visible
                            anchors.fill: parent
                            text: slot.modelData.text
                            destructive: slot.modelData.role === AlertButton.Destructive
                            onClicked: root.press(slot.index)
                        }
                        VelkTintedButton {
                            objectName: slot.filled ? "" : "alert.button." + slot.index
                            visible: !slot.filled
                            Accessible.ignored: !visible
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
