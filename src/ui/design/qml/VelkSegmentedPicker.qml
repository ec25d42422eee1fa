pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design

// A row of mutually exclusive options on one rounded track; the chosen one
// sits on a raised segment. Options are {text, value} pairs shown as given.
// The choice is the owner's: it binds `currentValue` and applies the value
// that activated() reports.
Rectangle {
    id: root
    property var options: []
    property var currentValue
    property bool small: false

    signal activated(var value)

    implicitWidth: segments.implicitWidth + 2 * segments.x
    implicitHeight: small ? 26 : 30
    radius: VDS.Radius.s
    color: VDS.C.bg2
    border.width: 1
    border.color: VDS.C.border

    Row {
        id: segments
        x: 2
        y: 2
        height: root.height - 4
        readonly property real segmentWidth: root.options.length > 0
                                             ? (root.width - 2 * x) / root.options.length : 0

        Repeater {
            model: root.options
            delegate: Rectangle {
                id: segment
                required property var modelData
                required property int index
                readonly property bool selected: modelData.value === root.currentValue

                objectName: "segmentedPicker.segment." + index
                width: segments.segmentWidth
                implicitWidth: label.implicitWidth + 2 * VDS.Space.s
                height: segments.height
                radius: VDS.Radius.s - 2
                color: selected ? VDS.C.bgElevated : "transparent"
                border.width: selected ? 1 : 0
                border.color: VDS.C.border
                Accessible.role: Accessible.RadioButton
                Accessible.name: modelData.text
                Accessible.checkable: true
                Accessible.checked: selected
                Accessible.onToggleAction: ButtonPress.act(segment, () => root.activated(segment.modelData.value))
                Accessible.onPressAction: ButtonPress.act(segment, () => root.activated(segment.modelData.value))

                Text {
                    id: label
                    anchors.centerIn: parent
                    width: Math.min(implicitWidth, parent.width - 2 * VDS.Space.xxs)
                    text: segment.modelData.text
                    textFormat: Text.PlainText
                    elide: Text.ElideRight
                    font: VDS.font(root.small ? 11.5 : VDS.TypeScale.caption,
                                   segment.selected ? Font.DemiBold : Font.Medium)
                    color: segment.selected ? VDS.C.text1 : VDS.C.text2
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: root.activated(segment.modelData.value)
                }
            }
        }
    }
}
