pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design

// Text whose changed characters roll when it changes: characters are matched
// from the right; each changed one slides out and its successor slides in,
// upwards when `countsDown` is false. Unchanged characters stay put. Text
// that is not shown changes at once. A screen reader reads the whole text,
// as VelkText is read.
Item {
    id: root
    property string text
    property font font: VDS.body()
    property color color: VDS.C.text1
    property bool countsDown: false
    property int duration: Motion.numberRoll
    property var roll: []
    property real progress: 1

    Accessible.role: Accessible.StaticText
    Accessible.name: text
    Accessible.ignored: !visible

    implicitWidth: rowItem.implicitWidth
    implicitHeight: metrics.height
    baselineOffset: metrics.ascent

    FontMetrics {
        id: metrics
        font: root.font
    }

    property string _shown: ""
    Component.onCompleted: {
        _shown = text
        roll = Geometry.textRoll(text, text)
    }
    onTextChanged: {
        if (text === _shown)
            return
        roll = Geometry.textRoll(_shown, text)
        _shown = text
        if (!visible) {
            rollAnimation.stop()
            progress = 1
            return
        }
        progress = 0
        rollAnimation.restart()
    }
    onVisibleChanged: {
        if (!visible && rollAnimation.running)
            rollAnimation.complete()
    }

    NumberAnimation {
        id: rollAnimation
        target: root
        property: "progress"
        from: 0
        to: 1
        duration: root.duration
        easing.type: Easing.InOutQuad
    }

    Row {
        id: rowItem
        height: parent.height
        Repeater {
            model: root.roll
            delegate: Item {
                id: cell
                required property var modelData
                readonly property bool changes: modelData.from !== modelData.to
                readonly property real fromWidth: metrics.advanceWidth(modelData.from)
                readonly property real toWidth: metrics.advanceWidth(modelData.to)
                readonly property real direction: root.countsDown ? 1 : -1
                width: changes ? fromWidth + (toWidth - fromWidth) * root.progress : toWidth
                height: rowItem.height
                clip: changes && root.progress < 1

                Text {
                    visible: cell.changes && root.progress < 1
                    y: cell.direction * root.progress * cell.height
                    opacity: 1 - root.progress
                    text: cell.modelData.from
                    textFormat: Text.PlainText
                    font: root.font
                    color: root.color
                }
                Text {
                    y: cell.changes ? -cell.direction * (1 - root.progress) * cell.height : 0
                    opacity: cell.changes ? root.progress : 1
                    text: cell.modelData.to
                    textFormat: Text.PlainText
                    font: root.font
                    color: root.color
                }
            }
        }
    }
}
