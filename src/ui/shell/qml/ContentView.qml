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

        // Screens join their hosts here, in the sections' order.
        SectionHost {
            anchors.fill: parent
            name: "dashboard"
            navigator: root.navigator
            HomeView {
                anchors.fill: parent
                monitor: root.models.monitor
                junk: root.models.junk
                contentLeadingInset: root.contentLeadingInset
                onSectionRequested: name => root.navigator.navigate(name)
                onDeepCleanRequested: root.navigator.deepCleanJunk = true
            }
        }
        SectionHost {
            anchors.fill: parent
            name: "systemInfo"
            navigator: root.navigator
            SystemInfoView {
                anchors.fill: parent
                monitor: root.models.monitor
            }
        }
        SectionHost {
            anchors.fill: parent
            name: "systemJunk"
            navigator: root.navigator
            SystemJunkView {
                anchors.fill: parent
                viewModel: root.models.junk
                monitor: root.models.monitor
                // The dashboard's review sets it; leaving the section clears it.
                deepCleanEntry: root.navigator.deepCleanJunk
            }
        }
        SectionHost {
            anchors.fill: parent
            name: "appUninstall"
            navigator: root.navigator
            AppUninstallView {
                anchors.fill: parent
                viewModel: root.models.appUninstall
                desktop: root.models.desktop
            }
        }
        SectionHost {
            anchors.fill: parent
            name: "startup"
            navigator: root.navigator
            StartupView {
                anchors.fill: parent
                viewModel: root.models.startup
                desktop: root.models.desktop
            }
        }
        SectionHost {
            anchors.fill: parent
            name: "largeFiles"
            navigator: root.navigator
            LargeFilesView {
                anchors.fill: parent
                viewModel: root.models.largeFiles
                desktop: root.models.desktop
            }
        }
        SectionHost {
            anchors.fill: parent
            name: "privacy"
            navigator: root.navigator
            PrivacyView {
                anchors.fill: parent
                viewModel: root.models.privacy
            }
        }
        SectionHost {
            anchors.fill: parent
            name: "processes"
            navigator: root.navigator
            ProcessMonitorView {
                anchors.fill: parent
                monitor: root.models.monitor
            }
        }
    }

    // The update prompt sheet and the status and install-failure alerts, in
    // the window's sheet and alert hosts.
    UpdatePresentation {
        updates: root.models.updates
        active: root.presentsUpdates
    }
}
