import QtQuick
import Velk.Design

// One privacy target: the checkbox, the icon tile, the title and what the
// last scan found. A click on the checkbox or anywhere on the row asks for
// its selection to flip; the screen allows it only for a target scanned
// without error that holds files.
Item {
    id: root
    required property int index
    required property string title
    required property string titleEn
    required property string icon
    required property bool isSelected
    required property bool didScan
    required property bool hasError
    required property string scanError
    required property string scanErrorEn
    required property bool canSelect
    required property double totalSize
    // Finds this row by name: "privacy.row[INDEX]".
    readonly property int key: index

    signal toggleRequested()

    objectName: "privacy.row"
    implicitHeight: content.implicitHeight + 20
    Accessible.role: Accessible.CheckBox
    Accessible.name: Lang.t(root.title, root.titleEn) + (size.visible ? Lang.t("，", ", ") + size.text : "")
    Accessible.checkable: true
    Accessible.checked: root.isSelected
    Accessible.onToggleAction: ButtonPress.act(root, () => root.toggleRequested())
    Accessible.onPressAction: ButtonPress.act(root, () => root.toggleRequested())

    VelkRowBackground {
        objectName: "privacy.row.selection"
        anchors.fill: parent
        selected: root.isSelected
        hovered: hover.hovered
    }

    Row {
        id: content
        anchors.left: parent.left
        anchors.leftMargin: 14
        anchors.right: status.left
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12

        VelkCheckbox {
            objectName: "privacy.row.checkbox"
            anchors.verticalCenter: parent.verticalCenter
            enabled: root.canSelect
            isChecked: root.isSelected
            // The row is the selection's accessible control.
            Accessible.ignored: true
            onToggled: root.toggleRequested()
        }
        VelkAppIconTile {
            anchors.verticalCenter: parent.verticalCenter
            size: 32
            symbol: root.icon
            symbolSize: 13.5
            symbolWeight: Font.Medium
            symbolColor: VDS.C.accent
        }
        VelkText {
            objectName: "privacy.row.title"
            // The control carries it as its name.
            Accessible.ignored: true
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, Math.max(0, content.width - x))
            text: Lang.t(root.title, root.titleEn)
            textFormat: Text.PlainText
            font: VDS.font(13, Font.Medium)
            color: VDS.C.text1
            maximumLineCount: 1
            elide: Text.ElideRight
        }
    }

    // The status, the first that applies: the scan failed, it found files,
    // it found none, it has not run.
    Item {
        id: status
        anchors.right: parent.right
        anchors.rightMargin: 14
        anchors.verticalCenter: parent.verticalCenter
        implicitWidth: Math.max(cannotAccess.visible ? cannotAccess.implicitWidth : 0,
                                size.visible ? size.implicitWidth : 0,
                                empty.visible ? empty.implicitWidth : 0,
                                notScanned.visible ? notScanned.implicitWidth : 0)
        width: implicitWidth
        height: 16

        VelkText {
            id: cannotAccess
            objectName: "privacy.row.cannotAccess"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            visible: root.hasError
            text: Lang.t("无法访问", "Cannot Access")
            textFormat: Text.PlainText
            font: VDS.font(11)
            color: VDS.C.amber

            VelkToolTip {
                objectName: "privacy.row.error"
                text: Lang.t(root.scanError, root.scanErrorEn)
            }
        }
        VelkText {
            id: size
            objectName: "privacy.row.size"
            // The control carries it as its name.
            Accessible.ignored: true
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            visible: !root.hasError && root.didScan && root.totalSize >= 1
            text: Format.bytes(root.totalSize)
            textFormat: Text.PlainText
            font: VDS.font(12, Font.DemiBold, true)
            color: VDS.C.text1
        }
        VelkText {
            id: empty
            objectName: "privacy.row.empty"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            visible: !root.hasError && root.didScan && root.totalSize < 1
            text: "0 KB"
            textFormat: Text.PlainText
            font: VDS.font(12, Font.Normal, true)
            color: VDS.C.text4
        }
        VelkText {
            id: notScanned
            objectName: "privacy.row.notScanned"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            visible: !root.hasError && !root.didScan
            text: Lang.t("未扫描", "Not Scanned")
            textFormat: Text.PlainText
            font: VDS.font(11)
            color: VDS.C.text3
        }
    }

    HoverHandler {
        id: hover
    }
    TapHandler {
        onTapped: root.toggleRequested()
    }
}
