import QtQuick
import QtQuick.Shapes
import Velk.Design

// Ring gauge: a bg3 track and an arc from twelve o'clock running clockwise
// over the clamped fraction, with an optional label and sublabel in the
// centre. Nothing of the arc is drawn at 0. As with a stroked circle, the
// stroke is centred on the circle that fills the frame.
Item {
    id: root
    property real progress: 0
    property real size: 89
    property real lineWidth: 8
    property color color: VDS.C.accent
    property string label
    property string sublabel
    property real sweep: Geometry.gaugeSweepDegrees(progress)
    readonly property bool arcVisible: arc.visible

    implicitWidth: size
    implicitHeight: size

    Behavior on sweep {
        NumberAnimation { duration: Motion.gaugeArc; easing.type: Easing.InOutQuad }
    }

    Shape {
        anchors.fill: parent
        ShapePath {
            strokeColor: VDS.C.bg3
            strokeWidth: root.lineWidth
            fillColor: "transparent"
            capStyle: ShapePath.FlatCap
            PathAngleArc {
                centerX: root.size / 2
                centerY: root.size / 2
                radiusX: root.size / 2
                radiusY: radiusX
                startAngle: 0
                sweepAngle: 360
            }
        }
    }
    Shape {
        id: arc
        objectName: "gauge.arc"
        anchors.fill: parent
        visible: root.sweep > 0.01
        ShapePath {
            strokeColor: root.color
            strokeWidth: root.lineWidth
            fillColor: "transparent"
            capStyle: ShapePath.RoundCap
            PathAngleArc {
                centerX: root.size / 2
                centerY: root.size / 2
                radiusX: root.size / 2
                radiusY: radiusX
                startAngle: -90
                sweepAngle: Math.min(root.sweep, 359.99)
            }
        }
    }
    Column {
        anchors.centerIn: parent
        spacing: 1
        RollingText {
            objectName: "gauge.label"
            visible: root.label.length > 0
            anchors.horizontalCenter: parent.horizontalCenter
            text: root.label
            font: VDS.font(root.size * 0.21, Font.Bold)
            color: VDS.C.text1
            duration: Motion.gaugeLabel
        }
        VelkText {
            objectName: "gauge.sublabel"
            visible: root.sublabel.length > 0
            anchors.horizontalCenter: parent.horizontalCenter
            text: root.sublabel
            textFormat: Text.PlainText
            font: VDS.font(root.size * 0.13, Font.Medium)
            color: VDS.C.text3
        }
    }
}
