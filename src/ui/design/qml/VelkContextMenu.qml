import QtQuick
import QtQuick.Templates as T
import Velk.Design

// The program's context menu: a raised list of VelkMenuItem entries, opened
// at the pointer with popup(). Open it from a right click on the row:
//
//     TapHandler { acceptedButtons: Qt.RightButton; onTapped: menu.popup() }
//     VelkContextMenu {
//         id: menu
//         VelkMenuItem { text: Lang.t("在文件管理器中显示", "Show in File Manager"); onTriggered: ... }
//     }
T.Menu {
    id: root
    objectName: "contextMenu"

    implicitWidth: Math.max(160, contentItem.implicitWidth + leftPadding + rightPadding)
    implicitHeight: contentItem.implicitHeight + topPadding + bottomPadding
    padding: VDS.Space.xxs
    margins: 0
    overlap: 0

    delegate: VelkMenuItem {}

    contentItem: ListView {
        implicitHeight: contentHeight
        implicitWidth: {
            let widest = 0
            for (let i = 0; i < count; ++i) {
                const entry = root.itemAt(i)
                if (entry)
                    widest = Math.max(widest, entry.implicitWidth)
            }
            return widest
        }
        model: root.contentModel
        interactive: false
        clip: true
        currentIndex: root.currentIndex
    }

    background: Rectangle {
        radius: VDS.Radius.s
        color: VDS.C.bgElevated
        border.width: 1
        border.color: VDS.C.borderStrong
    }
}
