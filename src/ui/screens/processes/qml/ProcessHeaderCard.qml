import QtQuick
import Velk.Design
import Velk.Processes

// The process's icon, name and path (cut in the middle, whole in its
// tooltip, with Copy Path on a right click), the terminate button, and its
// PID, PPID and user.
VelkCard {
    id: root
    required property ProcessDetailModel detail

    // The identity row whole, and beside the icon and the button some room
    // for the name.
    readonly property real minimumWidth: leftPadding + rightPadding
        + Math.max(identity.implicitWidth, 40 + terminate.width + 8 + 3 * top.spacing + 80)

    signal terminateRequested()

    Column {
        width: root.availableWidth
        spacing: 16

        Row {
            id: top
            width: parent.width
            spacing: 12

            ProcessIcon {
                anchors.verticalCenter: parent.verticalCenter
                size: 40
                user: root.detail.user
                bundlePath: root.detail.bundlePath
            }
            Column {
                id: names
                anchors.verticalCenter: parent.verticalCenter
                width: top.width - 40 - terminate.width - 8 - 3 * top.spacing
                spacing: 5

                VelkNameText {
                    objectName: "processes.detail.name"
                    width: parent.width
                    name: root.detail.name
                    font: VDS.font(18, Font.DemiBold)
                    color: VDS.C.text1
                }
                Item {
                    id: pathBox
                    width: parent.width
                    height: pathText.implicitHeight

                    TextInput {
                        id: pathText
                        objectName: "processes.detail.path"
                        width: parent.width
                        readOnly: true
                        selectByMouse: true
                        text: Format.fittedLine(root.detail.path, pathText.font, pathBox.width, Text.ElideMiddle)
                        horizontalAlignment: TextInput.AlignLeft
                        font: VDS.font(10.5, Font.Normal, true)
                        color: VDS.C.text3
                        selectionColor: VDS.withOpacity(VDS.C.accent, 0.35)
                        selectedTextColor: VDS.C.text1
                        // A copy gives the path the selection stands for,
                        // never the shortened text.
                        Keys.onPressed: (event) => {
                            if (!event.matches(StandardKey.Copy))
                                return
                            event.accepted = true
                            root.detail.copyShownPath(text, selectionStart, selectionEnd)
                        }
                    }
                    VelkToolTip {
                        text: Format.shownLine(root.detail.path)
                    }
                    MouseArea {
                        anchors.fill: parent
                        acceptedButtons: Qt.RightButton
                        onClicked: pathMenu.popup()
                    }
                    VelkContextMenu {
                        id: pathMenu
                        objectName: "processes.detail.pathMenu"
                        VelkMenuItem {
                            objectName: "processes.detail.copyPath"
                            text: Lang.t("复制路径", "Copy Path")
                            onTriggered: root.detail.copyPath()
                        }
                    }
                }
            }
            Item {
                width: 8
                height: 1
            }
            VelkTintedButton {
                id: terminate
                objectName: "processes.detail.terminate"
                anchors.verticalCenter: parent.verticalCenter
                destructive: true
                symbol: "xmark.octagon"
                implicitWidth: 34 + 2 * VDS.Space.xxs
                Accessible.name: Lang.t("结束进程", "Terminate Process")
                onClicked: root.terminateRequested()
                VelkToolTip {
                    text: Lang.t("结束进程", "Terminate Process")
                }
            }
        }

        VelkMetallicDivider {
            width: parent.width
        }

        Row {
            id: identity
            spacing: 20
            ProcessIdentityItem {
                objectName: "processes.detail.pid"
                label: "PID"
                value: Format.decimal(root.detail.pid)
            }
            ProcessIdentityItem {
                objectName: "processes.detail.ppid"
                label: "PPID"
                value: Format.decimal(root.detail.ppid)
            }
            ProcessIdentityItem {
                objectName: "processes.detail.user"
                label: Lang.t("用户", "User")
                value: Format.shownLine(root.detail.user)
            }
        }
    }
}
