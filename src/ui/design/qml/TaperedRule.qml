import QtQuick
import QtQuick.Shapes
import Velk.Design

// A lens thickest in the middle of its long axis, running out to points at
// both ends.
Shape {
    id: root
    property bool horizontal: true
    property color color: VDS.C.borderStrong

    ShapePath {
        strokeWidth: -1
        strokeColor: "transparent"
        fillColor: root.color
        startX: root.horizontal ? 0 : root.width / 2
        startY: root.horizontal ? root.height / 2 : 0
        PathQuad {
            x: root.horizontal ? root.width : root.width / 2
            y: root.horizontal ? root.height / 2 : root.height
            controlX: root.horizontal ? root.width / 2 : 0
            controlY: root.horizontal ? 0 : root.height / 2
        }
        PathQuad {
            x: root.horizontal ? 0 : root.width / 2
            y: root.horizontal ? root.height / 2 : 0
            controlX: root.horizontal ? root.width / 2 : root.width
            controlY: root.horizontal ? root.height : root.height / 2
        }
    }
}
