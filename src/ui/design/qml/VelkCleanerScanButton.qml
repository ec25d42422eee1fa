import QtQuick
import QtQuick.Templates as T
import Velk.Design

// The cleaner style's round 128-pt scan button with a blue glow beneath;
// shows a spinner and ignores clicks while busy.
T.Button {
    id: root
    property bool isBusy: false

    enabled: !isBusy
    padding: 0
    implicitWidth: 128
    implicitHeight: 128

    background: Item {
        // Shadow of the glow colour at 0.35, radius 22, 8 pt down, cast by a
        // mostly transparent face and so faint; drawn as soft rings (no blur
        // in the software renderer).
        Repeater {
            model: 8
            Rectangle {
                required property int index
                readonly property real spread: 22 * (index + 1) / 8
                x: -spread / 2
                y: 8 - spread / 2
                width: 128 + spread
                height: 128 + spread
                radius: width / 2
                color: VDS.withOpacity(VelkCleanerPalette.glow, 0.35 * 0.12 / 8 * (8 - index) / 4)
            }
        }
        Rectangle {
            anchors.fill: parent
            radius: width / 2
            color: Qt.rgba(1, 1, 1, 0.07)
            border.width: 1.5
            border.color: Qt.rgba(1, 1, 1, 0.32)
        }
    }
    Accessible.name: root.text
    Accessible.onPressAction: ButtonPress.click(root)

    contentItem: Item {
        Spinner {
            anchors.centerIn: parent
            visible: root.isBusy
            controlSize: Spinner.Regular
            color: "white"
        }
        Text {
            Accessible.ignored: true
            anchors.centerIn: parent
            visible: !root.isBusy
            text: root.text
            textFormat: Text.PlainText
            font: VDS.font(17, Font.DemiBold)
            color: "white"
        }
    }
}
