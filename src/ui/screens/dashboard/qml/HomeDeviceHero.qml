import QtQuick
import QtQuick.Templates as T
import Velk.Design
import Velk.Dashboard

// A large clickable picture of the user's kind of machine with a soft
// shadow. While busy, a bright band sweeps across it from left to right and
// back (1.2 s each way), starting again from the left whenever the busy
// flag turns on; clicks pass through the band to the picture.
T.AbstractButton {
    id: root
    // Raw value of the machine kind ("macBook", "iMac", "macMini", ...).
    property string kind: "macBook"
    property bool isBusy: false
    // Horizontal offset of the band: -110 (left) to +110 (right).
    property real sweepOffset: -sweepReach
    readonly property real sweepReach: 110
    readonly property string picture: art.picture

    // Back to the left, and off again while busy.
    function startSweep(busy: bool) {
        sweep.stop()
        sweepOffset = -sweepReach
        if (busy)
            sweep.start()
    }

    objectName: "deviceHero"
    implicitWidth: 320
    implicitHeight: 280
    padding: 0
    focusPolicy: Qt.NoFocus
    Accessible.name: picture
    Accessible.onPressAction: ButtonPress.click(root)

    onIsBusyChanged: startSweep(isBusy)
    Component.onCompleted: startSweep(isBusy)

    contentItem: Item {}

    DeviceHeroArt {
        id: art
        objectName: "deviceHero.picture"
        x: -shadowMargin
        y: -shadowMargin
        width: root.width + 2 * shadowMargin
        height: root.height + 2 * shadowMargin
        kind: root.kind
    }

    // The band: clear, white at 0.45, clear across its width. Drawn with
    // ordinary alpha blending: the software renderer cannot add light.
    Rectangle {
        id: band
        objectName: "deviceHero.band"
        visible: root.isBusy
        anchors.centerIn: parent
        anchors.horizontalCenterOffset: root.sweepOffset
        width: 36
        height: 180
        radius: 18
        rotation: 16
        antialiasing: true
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0.0; color: Qt.rgba(1, 1, 1, 0) }
            GradientStop { position: 0.5; color: Qt.rgba(1, 1, 1, 0.45) }
            GradientStop { position: 1.0; color: Qt.rgba(1, 1, 1, 0) }
        }
    }

    SequentialAnimation {
        id: sweep
        loops: Animation.Infinite
        NumberAnimation {
            target: root
            property: "sweepOffset"
            to: root.sweepReach
            duration: 1200
            easing.type: Easing.InOutQuad
        }
        NumberAnimation {
            target: root
            property: "sweepOffset"
            to: -root.sweepReach
            duration: 1200
            easing.type: Easing.InOutQuad
        }
    }
}
