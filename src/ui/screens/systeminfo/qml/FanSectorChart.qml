pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Shapes
import Velk.Design
import Velk.SystemInfo

// Every fan's load on one ring: an equal share per fan from 12 o'clock
// clockwise, each with a faint track and a fill in the fan's tone as far as
// its load, with a small gap after each sector. A sector keeps its place
// from one reading to the next, so its fill moves over 0.55 s. Without fans,
// a plain ring with "—".
Item {
    id: root
    // The monitor's fans: { id, rpm, maxRPM } each.
    required property var fans
    property real size: 72
    property real lineWidth: 7
    property color trackColor: VDS.C.bg3
    readonly property var sectors: FanGeometry.sectors(fans)

    objectName: "fanSectors"
    implicitWidth: size
    implicitHeight: size

    component Arc: Shape {
        id: arc
        property real start
        property real length
        property color stroke
        property int cap: ShapePath.FlatCap

        anchors.fill: parent
        visible: length > 0
        ShapePath {
            strokeColor: arc.stroke
            strokeWidth: root.lineWidth
            fillColor: "transparent"
            capStyle: arc.cap
            PathAngleArc {
                centerX: root.size / 2
                centerY: root.size / 2
                radiusX: root.size / 2
                radiusY: root.size / 2
                startAngle: -90 + 360 * arc.start
                sweepAngle: 360 * arc.length
            }
        }
    }

    Arc {
        objectName: "fanSectors.empty"
        visible: root.sectors.length === 0
        length: 1
        stroke: root.trackColor
    }
    VelkText {
        visible: root.sectors.length === 0
        anchors.centerIn: parent
        text: "—"
        textFormat: Text.PlainText
        font: VDS.font(0.22 * root.size, Font.DemiBold, true)
        color: VDS.C.text3
    }

    Repeater {
        // By position, so a sector's delegate lives on from one list to the next.
        model: root.sectors.length
        delegate: Item {
            id: segment
            required property int index
            readonly property var sector: root.sectors[index] ?? ({ start: 0, span: 0, load: 0, tone: "accent" })
            property real load: sector.load

            objectName: "fanSectors.sector[" + index + "]"
            anchors.fill: parent
            Behavior on load {
                enabled: root.visible
                NumberAnimation { duration: Motion.fanSector; easing.type: Easing.InOutQuad }
            }

            Arc {
                start: segment.sector.start
                length: segment.sector.span
                stroke: VDS.withOpacity(root.trackColor, 0.45)
            }
            Arc {
                objectName: "fanSectors.fill"
                start: segment.sector.start
                length: segment.sector.span * segment.load
                stroke: VDS.C[segment.sector.tone]
                cap: ShapePath.RoundCap
            }
        }
    }
}
