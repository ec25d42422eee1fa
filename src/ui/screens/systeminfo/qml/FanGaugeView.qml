import QtQuick
import QtQuick.Shapes
import Velk.Design
import Velk.SystemInfo

// One fan's speed on a half-round dial: a track, an arc over the share of
// the maximum speed in the fan's tone, fading towards its start, a needle
// that turns to that share, the speed in the middle and an optional caption
// below, kept clear of the speed. The needle turns over 0.45 s; the arc
// takes its length at once.
Column {
    id: root
    required property real rpm
    required property real maxRPM
    property string title
    property bool compact: false
    property real size: 88
    readonly property var geometry: FanGeometry.gauge(rpm, maxRPM, compact, size)
    readonly property real dialWidth: geometry.dial
    readonly property color tone: VDS.C[geometry.tone]

    objectName: "fanGauge"
    spacing: compact ? 4 : 6

    Item {
        id: dial
        objectName: "fanGauge.dial"
        anchors.horizontalCenter: parent.horizontalCenter
        width: root.geometry.dial
        height: root.geometry.boxHeight

        FanGaugeArc {
            objectName: "fanGauge.track"
            anchors.fill: parent
            progress: 1
            lineWidth: root.geometry.stroke
            color: VDS.C.bg3
        }
        FanGaugeArc {
            objectName: "fanGauge.arc"
            anchors.fill: parent
            progress: root.geometry.progress
            lineWidth: root.geometry.stroke
            color: root.tone
            faded: true
        }

        // A narrow triangle, its point at the bottom of its box, hung 0.12 of
        // the width below the middle and turned about the middle.
        Shape {
            id: needle
            objectName: "fanGauge.needle"
            width: 0.1 * root.dialWidth
            height: 0.38 * root.dialWidth
            x: (dial.width - width) / 2
            y: (dial.height - height) / 2 + 0.12 * root.dialWidth
            transform: Rotation {
                objectName: "fanGauge.needleTurn"
                origin.x: needle.width / 2
                origin.y: needle.height / 2 - 0.12 * root.dialWidth
                angle: root.geometry.needleAngle
                Behavior on angle {
                    enabled: root.visible
                    NumberAnimation { duration: Motion.fanNeedle; easing.type: Easing.InOutQuad }
                }
            }
            ShapePath {
                strokeWidth: -1
                fillColor: root.tone
                startX: needle.width / 2
                startY: needle.height
                PathLine { x: needle.width / 2 - 0.35 * needle.width; y: 0 }
                PathLine { x: needle.width / 2 + 0.35 * needle.width; y: 0 }
                PathLine { x: needle.width / 2; y: needle.height }
            }
        }

        // The speed and its unit, on tight lines as the system font sets them.
        Column {
            id: readout
            anchors.centerIn: parent
            anchors.verticalCenterOffset: 0.22 * root.dialWidth
            spacing: 2
            VelkText {
                objectName: "fanGauge.rpm"
                anchors.horizontalCenter: parent.horizontalCenter
                text: Format.decimal(root.rpm)
                textFormat: Text.PlainText
                font: VDS.font(0.19 * root.dialWidth, Font.DemiBold, true)
                lineHeightMode: Text.FixedHeight
                lineHeight: Math.ceil(font.pixelSize)
                color: VDS.C.text1
            }
            VelkText {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "RPM"
                textFormat: Text.PlainText
                font: VDS.font(0.1 * root.dialWidth, Font.Medium)
                lineHeightMode: Text.FixedHeight
                lineHeight: Math.ceil(font.pixelSize)
                color: VDS.C.text4
            }
        }
    }

    VelkText {
        objectName: "fanGauge.caption"
        visible: root.title.length > 0
        anchors.horizontalCenter: parent.horizontalCenter
        // Clear of the unit, which hangs below the dial box.
        topPadding: Math.max(0, Math.ceil(readout.y + readout.height - dial.height))
        width: Math.min(implicitWidth, Math.max(dial.width, root.width))
        text: root.title
        textFormat: Text.PlainText
        maximumLineCount: 1
        elide: Text.ElideRight
        font: VDS.font(root.compact ? 10 : 11, Font.Medium)
        color: VDS.C.text2
    }
}
