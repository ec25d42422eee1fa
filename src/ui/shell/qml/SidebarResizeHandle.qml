import QtQuick
import QtQuick.Controls.Basic
import Velk.Design
import Velk.Shell

// The strip between the expanded sidebar and the content: dragging it
// resizes the sidebar (snapped when the drag ends), a double click gives
// the default width back.
Item {
    id: handle
    required property SidebarLayout layout

    objectName: "sidebar.resizeHandle"
    implicitWidth: 10
    Accessible.name: Lang.t("侧栏宽度", "Sidebar width")
    ToolTip.text: Lang.t("按比例拖动侧栏宽度，双击恢复默认", "Drag to resize sidebar. Double-click for default.")
    ToolTip.visible: area.containsMouse && !handle.layout.dragging
    ToolTip.delay: 600

    MouseArea {
        id: area
        // A press turns into a drag once it has moved this far.
        readonly property real minimumDistance: 2
        property real pressX: 0
        property bool moved: false

        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.SizeHorCursor
        preventStealing: true

        // Measured in the window, which does not move while the strip does.
        function windowX(mouse) {
            return area.mapToItem(null, mouse.x, mouse.y).x
        }
        onPressed: mouse => {
            pressX = windowX(mouse)
            moved = false
        }
        onPositionChanged: mouse => {
            if (!pressed)
                return
            const translation = windowX(mouse) - pressX
            if (!moved && Math.abs(translation) < minimumDistance)
                return
            moved = true
            handle.layout.dragChanged(translation)
        }
        onReleased: {
            if (moved)
                handle.layout.dragEnded()
            moved = false
        }
        onCanceled: {
            if (moved)
                handle.layout.dragEnded()
            moved = false
        }
        onDoubleClicked: handle.layout.resetWidth()
    }
}
