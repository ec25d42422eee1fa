import QtQuick
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
    width: fullWidth && parent ? parent.width : implicitWidth
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

    contentItem: ButtonLabel {
        text: root.text
        symbol: root.symbol
        color: root.tint
    }
    background: Rectangle {
        radius: VDS.Radius.s
        color: Qt.rgba(root.tint.r, root.tint.g, root.tint.b, root.down ? 0.3 : 0.15)
        border.width: 0.5
        border.color: Qt.rgba(root.tint.r, root.tint.g, root.tint.b, root.down ? 0.5 : 0.3)
        Behavior on color {
            ColorAnimation { duration: Motion.glassPressFill; easing.type: Easing.InOutQuad }
        }

        Rectangle {
            // Brightness +0.05 while pressed.
            objectName: "glassButton.brighten"
            anchors.fill: parent
            radius: parent.radius
            color: "white"
            opacity: root.down ? 0.05 : 0
        }
    }
}
