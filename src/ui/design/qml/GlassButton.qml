import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Velk.Design

// Tinted glass button, 32 pt tall: fill and border in the tint, stronger and
// slightly brighter while pressed, when it also shrinks to 95 %.
T.Button {
    id: root
    property color tint: SystemColors.accent
    property bool fullWidth: false
    property string symbol

    implicitHeight: 32
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    // In a layout the button takes the row's width; elsewhere the caller
    // sets it. The label stays centred either way.
    Layout.fillWidth: fullWidth
    leftPadding: 14
    rightPadding: 14
    topPadding: 0
    bottomPadding: 0
    scale: down ? 0.95 : 1

    Behavior on scale {
        SpringAnimation {
            spring: Motion.glassPress.spring
            damping: Motion.glassPress.damping
            epsilon: 0.0005
        }
    }

    Accessible.name: root.text
    Accessible.onPressAction: ButtonPress.click(root)

    contentItem: ButtonLabel {
        text: root.text
        symbol: root.symbol
        color: root.tint
    }
    background: Rectangle {
        radius: VDS.Radius.s
        color: VDS.withOpacity(root.tint, root.down ? 0.3 : 0.15)
        border.width: 0.5
        border.color: VDS.withOpacity(root.tint, root.down ? 0.5 : 0.3)
        Behavior on color {
            ColorAnimation { duration: Motion.glassPressFill; easing.type: Easing.InOutQuad }
        }

        Rectangle {
            // Brightness +0.05 while pressed, inside the border so that no
            // part of the border shows through its antialiased edge.
            objectName: "glassButton.brighten"
            anchors.fill: parent
            anchors.margins: parent.border.width
            radius: parent.radius - parent.border.width
            color: "white"
            opacity: root.down ? 0.05 : 0
        }
    }
}
