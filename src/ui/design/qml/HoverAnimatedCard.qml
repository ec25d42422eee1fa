import QtQuick
import Velk.Design

// Clickable container: a warm border and a slight lift while hovered, a
// slight press-in while pressed (0.985, whether hovered or not); `action`
// fires on release, wherever the pointer is released, unless the press
// scrolled the view the card is in. The content's own controls keep working.
Item {
    id: root
    default property alias content: holder.data
    readonly property bool isHovered: hover.hovered
    readonly property bool isPressed: press.active
    // The scale shown, for tests and callers that mirror it.
    readonly property real effectiveScale: hoverLayer.scale * pressLayer.scale

    signal action()

    implicitWidth: holder.childrenRect.width
    implicitHeight: holder.childrenRect.height

    Item {
        id: hoverLayer
        anchors.fill: parent
        scale: root.isHovered && !root.isPressed ? 1.008 : 1
        Behavior on scale {
            NumberAnimation { duration: Motion.cardHover; easing.type: Easing.OutQuad }
        }

        Item {
            id: pressLayer
            anchors.fill: parent
            scale: root.isPressed ? 0.985 : 1
            Behavior on scale {
                SpringAnimation { spring: Motion.cardPress.spring; damping: Motion.cardPress.damping; epsilon: 0.0005 }
            }

            Item {
                id: holder
                anchors.fill: parent
            }
            Rectangle {
                // Brightness +0.025 while hovered.
                anchors.fill: parent
                radius: VDS.Radius.m
                color: "white"
                opacity: root.isHovered ? 0.025 : 0
                Behavior on opacity {
                    NumberAnimation { duration: Motion.cardHover; easing.type: Easing.OutQuad }
                }
            }
            Rectangle {
                objectName: "hoverCard.border"
                anchors.fill: parent
                radius: VDS.Radius.m
                color: "transparent"
                border.width: 0.75
                border.color: root.isHovered ? VDS.C.borderWarm : "transparent"
            }
        }
    }

    HoverHandler {
        id: hover
    }
    PointHandler {
        // Passive: the content's own controls still get their events.
        id: press
        // Where the card was in the window when pressed: a press that ends
        // after the card moved (a drag that scrolled the list around it) was
        // a scroll, not a click.
        property point pressedAt
        acceptedButtons: Qt.LeftButton
        onActiveChanged: {
            const at = root.mapToItem(null, 0, 0)
            if (active)
                pressedAt = at
            else if (at.x === pressedAt.x && at.y === pressedAt.y)
                root.action()
        }
    }
}
