import QtQuick
import Velk.Design

// A 4-pt tapered rule in borderStrong across the available width (or height
// when vertical), shortened by `inset` at both ends.
Item {
    id: root
    enum Axis { Horizontal, Vertical }
    property int axis: VelkMetallicDivider.Horizontal
    property real inset: 0
    readonly property bool horizontal: axis !== VelkMetallicDivider.Vertical

    implicitWidth: horizontal ? 0 : 4
    implicitHeight: horizontal ? 4 : 0

    TaperedRule {
        objectName: "divider.rule"
        horizontal: root.horizontal
        color: VDS.C.borderStrong
        x: root.horizontal ? root.inset : (root.width - 4) / 2
        y: root.horizontal ? (root.height - 4) / 2 : root.inset
        width: root.horizontal ? Math.max(0, root.width - 2 * root.inset) : 4
        height: root.horizontal ? 4 : Math.max(0, root.height - 2 * root.inset)
    }
}
