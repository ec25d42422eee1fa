pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.Shell
import Velk.Dashboard
import Velk.SystemJunk
import Velk.Settings
import Velk.Processes
import Velk.LargeFiles
import Velk.Privacy
import Velk.AppUninstall
import Velk.Startup
import Velk.SystemInfo

// The main window's content: the sidebar, the resize strip while the
// sidebar is expanded, and the section host that keeps all eight screens
// alive and shows the selected one.
Item {
    id: root
    required property SectionNavigator navigator
    required property SidebarLayout layout
    // The window's models; the screens in the hosts below are handed what
    // they need of them (`models.monitor`, `models.junk`, `models.updates`).
    required property WindowModels models
    // Leading inset the screens align their content with.
    readonly property real contentLeadingInset: layout.contentLeadingInset
    // The update prompt and alerts show here unless another window answers
    // the user's request.
    property bool presentsUpdates: true

    // The sidebar's Settings link was clicked.
    signal settingsRequested()

    objectName: "contentView"
    implicitWidth: VDS.Measure.windowWidth
    implicitHeight: VDS.Measure.windowHeight

    // The window has appeared: the sidebar takes its stored width and the
    // monitor follows the selected section.
    function appear() {
        layout.restore()
        navigator.appear()
    }

    VelkAppBackdrop {
        anchors.fill: parent
    }

    SidebarView {
        id: sidebar
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        width: root.layout.width
        navigator: root.navigator
        layout: root.layout
        updates: root.models.updates
        onSettingsRequested: root.settingsRequested()

        // Collapsing and expanding move on their spring; drags, snaps and
        // the double-click reset jump to their width.
        Behavior on width {
            id: collapseMotion
            enabled: false
            SpringAnimation {
                spring: Motion.sidebarCollapse.spring
                damping: Motion.sidebarCollapse.damping
                mass: Motion.sidebarCollapse.mass
                epsilon: 0.25
            }
        }
        Connections {
            target: root.layout
            function onCollapsedChanged() { collapseMotion.enabled = true }
            function onExpandedWidthChanged() { collapseMotion.enabled = false }
        }
    }

    SidebarResizeHandle {
        id: handle
        visible: !root.layout.collapsed
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.left: sidebar.right
        layout: root.layout
    }

    Item {
        id: sections
        objectName: "sections"
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.right: parent.right
        anchors.left: handle.visible ? handle.right : sidebar.right

        // A host for every section, in the sections' order, each showing
        // its section's screen.
        Repeater {
            model: root.navigator.sections
            delegate: SectionHost {
                id: host
                required property string modelData
                anchors.fill: parent
                name: modelData
                navigator: root.navigator
                // The section's screen, made with its host for the life of
                // the window.
                Component.onCompleted: screens[name].createObject(host)
            }
        }
    }

    // The screen of each section, by the section's case name.
    QtObject {
        id: screens

        property Component dashboard: HomeView {
            anchors.fill: parent
            monitor: root.models.monitor
            junk: root.models.junk
            contentLeadingInset: root.contentLeadingInset
            onSectionRequested: name => root.navigator.navigate(name)
            onDeepCleanRequested: root.navigator.deepCleanJunk = true
        }
        property Component systemInfo: SystemInfoView {
            anchors.fill: parent
            monitor: root.models.monitor
        }
        property Component systemJunk: SystemJunkView {
            anchors.fill: parent
            viewModel: root.models.junk
            monitor: root.models.monitor
            // The dashboard's review sets it; leaving the section clears it.
            deepCleanEntry: root.navigator.deepCleanJunk
        }
        property Component appUninstall: AppUninstallView {
            anchors.fill: parent
            viewModel: root.models.appUninstall
            desktop: root.models.desktop
        }
        property Component startup: StartupView {
            anchors.fill: parent
            viewModel: root.models.startup
            desktop: root.models.desktop
        }
        property Component largeFiles: LargeFilesView {
            anchors.fill: parent
            viewModel: root.models.largeFiles
            desktop: root.models.desktop
        }
        property Component privacy: PrivacyView {
            anchors.fill: parent
            viewModel: root.models.privacy
        }
        property Component processes: ProcessMonitorView {
            anchors.fill: parent
            monitor: root.models.monitor
            firstSortKey: root.models.processSort
        }
    }

    // The update prompt sheet and the status and install-failure alerts, in
    // the window's sheet and alert hosts.
    UpdatePresentation {
        updates: root.models.updates
        active: root.presentsUpdates
    }
}
