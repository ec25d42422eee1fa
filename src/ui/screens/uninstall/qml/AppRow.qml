pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Velk.Design
import Velk.AppUninstall

// One installed application: checkbox, icon, name and version, a date
// column that follows the sort order, the bundle size and a button that
// opens the leftovers found for it. A click on the checkbox or anywhere
// else on the main line asks to toggle the selection once; every opening
// asks for the leftovers again.
Item {
    id: root
    required property string appId
    required property string name
    required property string version
    required property string path
    required property double diskSize
    required property double totalSize
    required property date installDate
    required property date lastUsedDate
    required property bool isSelected
    required property var associatedFiles
    required property int sortMode
    // Finds this row, its checkbox and its expand button by the name the
    // user sees: "appUninstall.row[Pixel Forge]", "appUninstall.row.expand[...]".
    readonly property string key: name
    property bool isExpanded: false
    readonly property bool hasFiles: associatedFiles.length > 0
    // The last use wins outside the install order; without it, the install day.
    readonly property string lastUsedText: sortMode === AppUninstallScreen.RecentInstall
                                           ? "" : Format.relativeDate(lastUsedDate)

    signal toggled()
    signal expanded()
    signal revealRequested(string path)

    objectName: "appUninstall.row"
    implicitHeight: mainLine.height + panelClip.height
    clip: true

    VelkRowBackground {
        objectName: "appUninstall.row.background"
        width: parent.width
        height: mainLine.height
        selected: root.isSelected
        hovered: hover.hovered
    }

    Item {
        id: mainLine
        objectName: "appUninstall.row.main"
        width: parent.width
        height: line.implicitHeight + 20
        Accessible.role: Accessible.CheckBox
        Accessible.name: root.name + Lang.t("，", ", ") + Format.bytes(root.diskSize)
        Accessible.checkable: true
        Accessible.checked: root.isSelected
        Accessible.onToggleAction: ButtonPress.act(mainLine, () => root.toggled())
        Accessible.onPressAction: ButtonPress.act(mainLine, () => root.toggled())

        HoverHandler {
            id: hover
        }
        MouseArea {
            objectName: "appUninstall.row.tapArea"
            anchors.fill: parent
            onClicked: root.toggled()
        }

        RowLayout {
            id: line
            anchors.fill: parent
            anchors.leftMargin: 14
            anchors.rightMargin: 14
            spacing: 12

            VelkCheckbox {
                objectName: "appUninstall.row.checkbox"
                readonly property string key: root.key
                isChecked: root.isSelected
                tint: VDS.C.accent
                // The main line is the selection's accessible control.
                Accessible.ignored: true
                onToggled: root.toggled()
            }
            VelkAppIconTile {
                path: root.path
            }
            Row {
                Layout.fillWidth: true
                Layout.minimumWidth: 0
                spacing: 7
                clip: true

                VelkNameText {
                    objectName: "appUninstall.row.name"
                    // The row carries it as its name.
                    Accessible.ignored: true
                    readonly property string key: root.key
                    anchors.verticalCenter: parent.verticalCenter
                    fitWidth: parent.width
                    width: Math.min(Math.ceil(implicitWidth), fitWidth)
                    name: root.name
                    font: VDS.font(13, Font.Medium)
                    color: VDS.C.text1
                }
                VelkNameText {
                    objectName: "appUninstall.row.version"
                    anchors.verticalCenter: parent.verticalCenter
                    visible: root.version.length > 0
                    name: root.version
                    shortening: Text.ElideNone
                    font: VDS.font(10.5, Font.Normal, true)
                    color: VDS.C.text3
                }
            }
            VelkText {
                objectName: "appUninstall.row.date"
                Layout.minimumWidth: 78
                horizontalAlignment: Text.AlignRight
                text: root.lastUsedText.length > 0 ? root.lastUsedText : Format.numericDate(root.installDate)
                textFormat: Text.PlainText
                font: root.lastUsedText.length > 0 ? VDS.font(11)
                      : VDS.font(root.sortMode === AppUninstallScreen.RecentInstall ? 11 : 10.5, Font.Normal, true)
                color: VDS.C.text3
            }
            VelkText {
                objectName: "appUninstall.row.size"
                // The row carries it as its name.
                Accessible.ignored: true
                Layout.preferredWidth: 72
                horizontalAlignment: Text.AlignRight
                text: Format.bytes(root.diskSize)
                textFormat: Text.PlainText
                font: VDS.font(12, Font.DemiBold, true)
                color: VDS.C.text1
            }
            Rectangle {
                id: expand
                objectName: "appUninstall.row.expand"
                readonly property string key: root.key
                implicitWidth: 26
                implicitHeight: 26
                radius: 6
                color: root.isExpanded ? VDS.withOpacity(VDS.C.accent, 0.14) : "transparent"
                Accessible.role: Accessible.Button
                Accessible.name: Lang.t("关联残留文件", "Associated files")
                Accessible.onPressAction: ButtonPress.act(expand, () => root.toggleExpanded())

                SymbolIcon {
                    anchors.centerIn: parent
                    name: root.isExpanded ? "chevron.up" : "chevron.down"
                    size: 10.5
                    font.weight: Font.DemiBold
                    color: root.isExpanded ? VDS.C.accent : VDS.C.text3
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: root.toggleExpanded()
                }
                VelkToolTip {
                    text: Lang.t("关联残留文件", "Associated files")
                }
            }
        }
    }

    // The leftovers: the bundle's path with the total of bundle and
    // leftovers, then one line per leftover, or a small spinner while the
    // list is empty (still loading, or nothing was found).
    Item {
        id: panelClip
        y: mainLine.height
        width: parent.width
        height: root.isExpanded ? panel.implicitHeight : 0
        clip: true
        visible: height > 0

        Behavior on height {
            SpringAnimation {
                spring: Motion.disclosure.spring
                damping: Motion.disclosure.damping
                mass: Motion.disclosure.mass
                epsilon: 0.5
            }
        }

        Column {
            id: panel
            objectName: "appUninstall.row.panel"
            width: parent.width

            VelkMetallicDivider {
                width: parent.width
            }
            Rectangle {
                width: parent.width
                implicitHeight: header.implicitHeight + 16
                color: VDS.C.bg2

                RowLayout {
                    id: header
                    anchors.fill: parent
                    anchors.leftMargin: 14
                    anchors.rightMargin: 14

                    VelkNameText {
                        objectName: "appUninstall.row.path"
                        Layout.fillWidth: true
                        name: root.path
                        font: VDS.font(10.5, Font.Normal, true)
                        color: VDS.C.text3
                    }
                    VelkText {
                        objectName: "appUninstall.row.totalSize"
                        readonly property string key: root.key
                        visible: root.hasFiles
                        text: Format.bytes(root.totalSize)
                        textFormat: Text.PlainText
                        font: VDS.font(11, Font.DemiBold, true)
                        color: VDS.C.accent
                    }
                }
            }
            Repeater {
                model: root.associatedFiles
                delegate: AssociatedFileLine {
                    required property var modelData
                    width: panel.width
                    file: modelData
                    onRevealRequested: path => root.revealRequested(path)
                }
            }
            Item {
                objectName: "appUninstall.row.filesSpinner"
                readonly property string key: root.key
                visible: !root.hasFiles
                width: parent.width
                implicitHeight: spinner.height + 20

                Spinner {
                    id: spinner
                    x: 14
                    anchors.verticalCenter: parent.verticalCenter
                    width: 12
                    height: 12
                    color: VDS.C.text3
                }
            }
        }
    }

    function toggleExpanded() {
        isExpanded = !isExpanded
        if (isExpanded)
            expanded()
    }
}
