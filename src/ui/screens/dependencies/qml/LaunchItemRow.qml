import QtQuick
import Velk.Design
import Velk.Models

// A launchd property list that names the file: its label, the folder's
// badge and a button that shows the list in the file manager, with its path
// below, cut in the middle.
Column {
    id: root
    // label, plistPath, scope, scopeEnglish.
    property var item: ({})
    property string key: root.item.plistPath ?? ""
    signal reveal()

    objectName: "largeFiles.dependencies.launchItem"
    spacing: 2

    Item {
        width: parent.width
        height: Math.max(label.implicitHeight, badge.height)

        Row {
            anchors.left: parent.left
            anchors.right: revealButton.left
            anchors.rightMargin: VDS.Space.xs
            anchors.verticalCenter: parent.verticalCenter
            spacing: VDS.Space.xs

            VelkNameText {
                id: label
                anchors.verticalCenter: parent.verticalCenter
                fitWidth: parent.width - badge.width - parent.spacing
                width: Math.min(implicitWidth, fitWidth)
                name: root.item.label ?? ""
                font: VDS.font(12, Font.Medium)
                color: VDS.C.text1
            }
            VelkBadge {
                id: badge
                objectName: "largeFiles.dependencies.launchItem.scope"
                anchors.verticalCenter: parent.verticalCenter
                height: 20
                text: Lang.t(root.item.scope ?? "", root.item.scopeEnglish ?? "")
                color: VDS.C.amber
            }
        }
        Item {
            id: revealButton
            objectName: "largeFiles.dependencies.launchItem.reveal"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            width: 20
            height: 20
            Accessible.role: Accessible.Button
            Accessible.name: Lang.t(SystemWords.revealZh, SystemWords.revealEn)
            Accessible.onPressAction: ButtonPress.act(revealButton, () => root.reveal())

            SymbolIcon {
                anchors.centerIn: parent
                name: "folder"
                size: 11
                color: VDS.C.text2
            }
            MouseArea {
                anchors.fill: parent
                cursorShape: Qt.PointingHandCursor
                onClicked: root.reveal()
            }
        }
    }
    VelkNameText {
        objectName: "largeFiles.dependencies.launchItem.path"
        width: parent.width
        name: root.item.plistPath ?? ""
        font: VDS.font(10.5, Font.Normal, true)
        color: VDS.C.text3
        shortening: Text.ElideMiddle
    }
}
