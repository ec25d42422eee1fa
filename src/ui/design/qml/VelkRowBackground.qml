import QtQuick
import Velk.Design

// The ground of a list row, under its content: the faint accent fill while
// the row is selected, otherwise the hover fill while the pointer is over
// it, in a rounded rectangle. Selection turns on the row-selection spring;
// the hover fill fades in and out in 0.14 s. The row tells it both.
Item {
    id: ground
    // A row that shows its selection by its checkbox alone leaves it false.
    property bool selected: false
    property bool hovered: false
    // 0 to 1 as the selection turns on, and as the pointer comes in.
    property real selection: selected ? 1 : 0
    property real hovering: hovered ? 1 : 0
    readonly property real shownSelection: Math.min(1, Math.max(0, selection))

    Behavior on selection {
        SpringAnimation {
            spring: Motion.rowSelection.spring
            damping: Motion.rowSelection.damping
            mass: Motion.rowSelection.mass
            epsilon: 0.002
        }
    }
    Behavior on hovering {
        NumberAnimation { duration: 140; easing.type: Easing.OutQuad }
    }

    Rectangle {
        objectName: "rowBackground.hover"
        anchors.fill: parent
        radius: VDS.Radius.s
        color: VDS.C.hover
        opacity: ground.hovering * (1 - ground.shownSelection)
    }
    Rectangle {
        objectName: "rowBackground.selection"
        anchors.fill: parent
        radius: VDS.Radius.s
        color: VDS.withOpacity(VDS.C.accent, 0.08)
        opacity: ground.shownSelection
    }
}
