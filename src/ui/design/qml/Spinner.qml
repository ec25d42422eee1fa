import QtQuick
import QtQuick.Shapes
import Velk.Design

// Indeterminate progress spinner: a three-quarter arc turning once a second.
// "small" is 16 pt, "regular" 20 pt.
Item {
    id: root
    property color color: VDS.C.text2
    enum ControlSize { Small, Regular }
    property int controlSize: Spinner.Small
    property bool running: visible

    implicitWidth: controlSize === Spinner.Small ? 16 : 20
    implicitHeight: implicitWidth

    Shape {
        id: arc
        anchors.fill: parent
        ShapePath {
            strokeColor: root.color
            strokeWidth: root.controlSize === Spinner.Small ? 2 : 2.5
            fillColor: "transparent"
            capStyle: ShapePath.RoundCap
            PathAngleArc {
                centerX: root.width / 2
                centerY: root.height / 2
                radiusX: root.width / 2 - 1.5
                radiusY: root.height / 2 - 1.5
                startAngle: 0
                sweepAngle: 270
            }
        }
        RotationAnimator on rotation {
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
            running: root.running
        }
    }
}
