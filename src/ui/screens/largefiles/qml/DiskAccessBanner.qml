import QtQuick
import Velk.Design

// Shown while the program may not read every folder: what is skipped, and a
// way to the system settings where the user grants access.
Item {
    id: root
    signal openSettings()

    implicitHeight: Math.max(texts.implicitHeight, button.implicitHeight) + 2 * VDS.Space.s

    Rectangle {
        anchors.fill: parent
        color: VDS.withOpacity(VDS.C.bg1, 0.55)
    }
    Column {
        id: texts
        anchors.left: parent.left
        anchors.leftMargin: VDS.Space.l
        anchors.right: button.left
        anchors.rightMargin: VDS.Space.m
        anchors.verticalCenter: parent.verticalCenter
        spacing: 2

        VelkText {
            width: parent.width
            text: Lang.t("没有完全磁盘访问权限", "Full Disk Access is off")
            textFormat: Text.PlainText
            font: VDS.font(13, Font.Medium)
            color: VDS.C.text1
            elide: Text.ElideRight
        }
        VelkText {
            width: parent.width
            text: Lang.t("别人的用户目录和部分系统目录扫不到。需要你在系统设置里打开 Velk Clean，应用不能自己授权。",
                         "Other users’ folders and some system folders are skipped. Turn on Velk Clean in System Settings. The app cannot grant this itself.")
            textFormat: Text.PlainText
            font: VDS.font(12)
            color: VDS.C.text3
            wrapMode: Text.Wrap
        }
    }
    VelkTintedButton {
        id: button
        objectName: "largeFiles.openSettings"
        anchors.right: parent.right
        anchors.rightMargin: VDS.Space.l
        anchors.verticalCenter: parent.verticalCenter
        text: Lang.t("打开系统设置", "Open System Settings")
        onClicked: root.openSettings()
    }
    VelkMetallicDivider {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }
}
