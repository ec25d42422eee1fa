pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velk.Design
import Velk.Models
import Velk.Shell

// The navigation column: the brand mark (which collapses and expands the
// column), the section rows in three groups, and the footer with the
// Settings link and the version button. Expanded or compact by the layout.
Rectangle {
    id: sidebar
    required property SectionNavigator navigator
    required property SidebarLayout layout
    required property UpdateController updates
    readonly property bool isCompact: layout.collapsed

    // The Settings link was clicked.
    signal settingsRequested()

    objectName: "sidebar"
    color: VDS.C.bg0
    clip: true

    // The footer keeps its place at the bottom. Above it, the space over the
    // brand mark gives way first when the window is low; then the column
    // scrolls, so neither ever covers the other.
    Flickable {
        id: scroller
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: footer.top
        contentWidth: width
        contentHeight: column.height
        interactive: contentHeight > height
        boundsBehavior: Flickable.StopAtBounds
        clip: true

        Item {
            id: column
            // The space over the brand mark: its full measure when there is
            // room, down to a small margin.
            readonly property real topSpace: Math.max(VDS.Space.xs, Math.min(VDS.Space.xl,
                scroller.height - brand.height - VDS.Space.l - nav.height))
            width: scroller.width
            height: Math.max(scroller.height, topSpace + brand.height + VDS.Space.l + nav.height)

            AbstractButton {
                id: brand
                objectName: "sidebar.brand"
                anchors.top: parent.top
                anchors.topMargin: column.topSpace
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.leftMargin: VDS.Measure.sidebarHeaderHPadding
                anchors.rightMargin: VDS.Measure.sidebarHeaderHPadding
                height: VDS.Measure.sidebarBrandHeaderSlot
                hoverEnabled: true
                focusPolicy: Qt.NoFocus
                readonly property string tip: sidebar.layout.collapsed ? Lang.t("展开侧栏", "Expand sidebar") : Lang.t("收起侧栏", "Collapse sidebar")
                Accessible.name: tip
                Accessible.onPressAction: ButtonPress.click(brand)
                ToolTip.text: tip
                ToolTip.visible: hovered
                ToolTip.delay: 600
                onClicked: sidebar.layout.toggleCollapsed()
                background: null
                contentItem: Item {
                    VelkBrandLogo {
                        objectName: "sidebar.brand.logo"
                        anchors.centerIn: parent
                        size: sidebar.isCompact ? VDS.Measure.sidebarBrandLogoCompact : VDS.Measure.sidebarBrandLogoExpanded
                        width: size
                        height: size
                    }
                }
            }

            Column {
                id: nav
                objectName: "sidebar.nav"
                anchors.top: brand.bottom
                anchors.topMargin: VDS.Space.l
                anchors.horizontalCenter: parent.horizontalCenter
                width: sidebar.isCompact ? column.width : VDS.Measure.sidebarNavColumnWidth
                spacing: VDS.Space.xxs

                Repeater {
                    model: sidebar.navigator.sidebarGroups
                    delegate: Column {
                        id: group
                        required property var modelData
                        required property int index
                        width: nav.width
                        spacing: VDS.Space.xxs
                        topPadding: index === 0 ? 0 : VDS.Space.l

                        Repeater {
                            model: group.modelData
                            delegate: SidebarRow {
                                required property string modelData
                                readonly property string sectionId: sidebar.navigator.idOf(modelData)
                                width: group.width
                                section: modelData
                                title: Lang.sectionTitle(sectionId)
                                symbol: AppSection.icon(sectionId)
                                isSelected: sidebar.navigator.selection === modelData
                                isCompact: sidebar.isCompact
                                onClicked: sidebar.navigator.select(modelData)
                            }
                        }
                    }
                }
            }
        }
    }

    Item {
        id: footer
        objectName: "sidebar.footer"
        // Where the nav column starts when expanded; the footer row starts
        // there too, so the gear lines up with the rows' icons.
        readonly property real rowX: Math.round((width - VDS.Measure.sidebarNavColumnWidth) / 2)
        // The expanded row is the nav column's width, wider (up to a small
        // margin at the sidebar's edge) when the label and the version need
        // more.
        readonly property real rowWidth: Math.min(width - rowX - VDS.Space.xs,
            Math.max(VDS.Measure.sidebarNavColumnWidth, link.implicitWidth + version.width))
        anchors.bottom: parent.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        height: footerGrid.height + 2 * VDS.Space.s

        // One column when compact, one row when expanded.
        Grid {
            id: footerGrid
            x: sidebar.isCompact ? Math.round((footer.width - width) / 2) : footer.rowX
            anchors.verticalCenter: parent.verticalCenter
            columns: sidebar.isCompact ? 1 : 2
            rowSpacing: VDS.Space.xs
            columnSpacing: 0
            horizontalItemAlignment: Grid.AlignHCenter
            verticalItemAlignment: Grid.AlignVCenter
            SidebarSettingsLink {
                id: link
                width: sidebar.isCompact ? implicitWidth : footer.rowWidth - version.width
                isCompact: sidebar.isCompact
                onClicked: sidebar.settingsRequested()
            }
            VersionCheckButton {
                id: version
                isCompact: sidebar.isCompact
                updates: sidebar.updates
            }
        }
    }
}
