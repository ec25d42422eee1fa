import QtQuick
import QtQuick.Shapes
import Velk.Design

// A 44-pt ring gauge in white for dark surfaces, with the value inside and
// the title below; it takes the full width of its column.
Item {
    id: root
    property string title
    property string value
    property real progress: 0
    property color color: VelkCleanerPalette.glowSoft
    readonly property real sweep: Geometry.gaugeSweepDegrees(progress)

    implicitWidth: 44
    implicitHeight: column.implicitHeight

    Column {
        id: column
        width: root.width
        spacing: 6

        Item {
            width: 44
            height: 44
            anchors.horizontalCenter: parent.horizontalCenter
            Shape {
                anchors.fill: parent
                ShapePath {
                    strokeColor: Qt.rgba(1, 1, 1, 0.12)
                    strokeWidth: 4
                    fillColor: "transparent"
                    capStyle: ShapePath.FlatCap
                    PathAngleArc { centerX: 22; centerY: 22; radiusX: 22; radiusY: 22; startAngle: 0; sweepAngle: 360 }
                }
            }
            Shape {
                objectName: "miniGauge.arc"
                anchors.fill: parent
                visible: root.sweep > 0.01
                ShapePath {
                    strokeColor: VDS.withOpacity(root.color, 0.9)
                    strokeWidth: 4
                    fillColor: "transparent"
                    capStyle: ShapePath.RoundCap
                    PathAngleArc {
                        centerX: 22; centerY: 22; radiusX: 22; radiusY: 22
                        startAngle: -90
                        sweepAngle: Math.min(root.sweep, 359.99)
                    }
                }
            }
            VelkText {
                anchors.centerIn: parent
                text: root.value
                textFormat: Text.PlainText
                font: VDS.font(10, Font.Bold)
                color: Qt.rgba(1, 1, 1, 0.95)
            }
        }
        VelkText {
            anchors.horizontalCenter: parent.horizontalCenter
            text: root.title
            textFormat: Text.PlainText
            font: VDS.font(10, Font.Medium)
            color: Qt.rgba(1, 1, 1, 0.55)
        }
    }
}
