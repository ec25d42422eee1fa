import QtQuick
import Velk.Design

// The program's card: content padded on all edges over a rounded surface
// with a 1-pt border drawn inside its edge. Presses pass through.
Surface {
    id: root
    property real radius: VDS.Radius.m
    property color backgroundColor: VDS.C.bgElevated
    property color borderColor: VDS.C.border

    padding: VDS.Space.m

    background: Rectangle {
        radius: root.radius
        color: root.backgroundColor
        border.color: root.borderColor
        border.width: 1
    }
}
