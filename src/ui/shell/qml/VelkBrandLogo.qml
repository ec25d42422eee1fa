import QtQuick
import QtQuick.Shapes
import Velk.Design

// The brand mark: a golden-ratio spiral of four quarter arcs, stroked in
// the accent colour, centred in a square of side `size`.
Item {
    id: root
    property real size: VDS.Measure.sidebarBrandLogoExpanded

    // Side of the spiral's bounding square and the radii of its arcs, each
    // arc's radius the golden section of the one before.
    readonly property real a: width * VDS.Phi.major
    readonly property real r1: a / VDS.Phi.value
    readonly property real r2: a - r1
    readonly property real r3: r1 - r2
    readonly property real r4: Math.max(r2 - r3, 1)
    readonly property real x0: (width - a) * 0.5
    readonly property real y0: (height - r1) * 0.5
    readonly property real strokeWidth: Math.max(size * 0.06, 1.25)
    readonly property color strokeColor: VDS.C.accent

    implicitWidth: size
    implicitHeight: size
    Accessible.role: Accessible.Graphic
    Accessible.name: "Velk Clean"

    // On a graphics card a shape's edges are hard unless it is drawn
    // multisampled: into a small layer of its own, four samples a pixel.
    Shape {
        anchors.fill: parent
        antialiasing: true
        layer.enabled: true
        layer.samples: 4
        layer.smooth: true
        ShapePath {
            strokeColor: root.strokeColor
            strokeWidth: root.strokeWidth
            fillColor: "transparent"
            capStyle: ShapePath.RoundCap
            joinStyle: ShapePath.RoundJoin
            miterLimit: 10

            // Angles in degrees, clockwise on screen.
            PathAngleArc {
                centerX: root.x0 + root.r1; centerY: root.y0 + root.r1
                radiusX: root.r1; radiusY: root.r1
                startAngle: 180; sweepAngle: 90
            }
            PathAngleArc {
                moveToStart: false
                centerX: root.x0 + root.r1; centerY: root.y0 + root.r2
                radiusX: root.r2; radiusY: root.r2
                startAngle: 270; sweepAngle: 90
            }
            PathAngleArc {
                moveToStart: false
                centerX: root.x0 + root.a - root.r3; centerY: root.y0 + root.r2
                radiusX: root.r3; radiusY: root.r3
                startAngle: 0; sweepAngle: 90
            }
            PathAngleArc {
                moveToStart: false
                centerX: root.x0 + root.r1 + root.r4; centerY: root.y0 + root.r1 - root.r4
                radiusX: root.r4; radiusY: root.r4
                startAngle: 90; sweepAngle: 90
            }
        }
    }
}
