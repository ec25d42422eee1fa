import QtQuick
import QtQuick.Controls.Basic
import Velk.Design
import Velk.Models

// The footer's version button: the running version, a spinner while an
// update check runs, and a pulsing dot while an update waits. A click shows
// the waiting update, or else checks for one.
AbstractButton {
    id: button
    required property bool isCompact
    required property UpdateController updates

    readonly property bool checking: updates.isChecking
    readonly property bool pending: updates.showsBadge
    readonly property string version: updates.localVersion
    // What the label shows: "checking", "version" or "update".
    readonly property string shows: checking ? "checking" : (pending ? "update" : "version")

    objectName: "sidebar.version"
    enabled: !checking
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    implicitWidth: isCompact ? VDS.Measure.control : expanded.implicitWidth + 2 * VDS.Space.xs
    implicitHeight: isCompact ? VDS.Measure.control : expanded.implicitHeight + 2 * VDS.Space.xxs
    Accessible.name: Lang.t("当前版本 " + version + "，点击检查更新", "Version " + version + ", check for updates")
    Accessible.onPressAction: ButtonPress.click(button)
    ToolTip.text: Lang.t("检查更新", "Check for updates")
    ToolTip.visible: hovered
    ToolTip.delay: 600

    onClicked: {
        if (pending)
            updates.presentPendingIfNeeded()
        else
            updates.checkFromSidebar()
    }

    background: Rectangle {
        radius: VDS.Radius.xs
        color: button.hovered ? VDS.C.sidebarHover : "transparent"
    }

    contentItem: Item { // qmllint disable deferred-property-id
        // Compact: exactly one of spinner, version text and dot.
        Item {
            visible: button.isCompact
            anchors.centerIn: parent
            width: VDS.Measure.control
            height: VDS.Measure.control
            Spinner {
                anchors.centerIn: parent
                visible: button.shows === "checking"
            }
            Text {
                objectName: "sidebar.version.compactText"
                anchors.fill: parent
                visible: button.shows === "version"
                text: button.version
                textFormat: Text.PlainText
                font: VDS.font(9)
                color: button.hovered ? VDS.C.text2 : VDS.C.text4
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                wrapMode: Text.NoWrap
                maximumLineCount: 1
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: Math.floor(9 * 0.7)
            }
            PulsingDot {
                anchors.centerIn: parent
                visible: button.shows === "update"
                color: VDS.C.accent
            }
        }

        Row {
            id: expanded
            visible: !button.isCompact
            anchors.centerIn: parent
            spacing: 6
            Spinner {
                anchors.verticalCenter: parent.verticalCenter
                visible: button.checking
                width: 14
                height: 14
            }
            Text {
                objectName: "sidebar.version.text"
                anchors.verticalCenter: parent.verticalCenter
                visible: !button.checking
                text: button.version
                textFormat: Text.PlainText
                font: VDS.caption()
                color: button.pending ? VDS.C.accent : (button.hovered ? VDS.C.text2 : VDS.C.text4)
            }
            PulsingDot {
                anchors.verticalCenter: parent.verticalCenter
                visible: button.shows === "update"
                color: VDS.C.accent
                Accessible.name: Lang.t("有新版本", "Update available")
            }
        }
    }
}
