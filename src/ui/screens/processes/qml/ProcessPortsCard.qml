pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design

// The ports the process listens on, one chip each, wrapping.
VelkCard {
    id: root
    property list<int> ports

    Column {
        width: root.availableWidth
        spacing: 10

        VelkText {
            width: parent.width
            text: Lang.t("网络监听端口", "Network Listening Ports")
            textFormat: Text.PlainText
            font: VDS.font(12, Font.Medium)
            color: VDS.C.text2
            elide: Text.ElideRight
        }
        FlowLayout {
            width: parent.width
            height: implicitHeight
            spacing: 6

            Repeater {
                model: root.ports
                delegate: Rectangle {
                    id: chip
                    required property int modelData
                    objectName: "processes.detail.port"
                    readonly property string text: ":" + Format.decimal(modelData)
                    implicitWidth: label.implicitWidth + 18
                    implicitHeight: label.implicitHeight + 8
                    radius: 6
                    color: VDS.withOpacity(VDS.C.accent, 0.11)
                    border.width: 0.5
                    border.color: VDS.C.borderWarm

                    VelkText {
                        id: label
                        anchors.centerIn: parent
                        text: chip.text
                        textFormat: Text.PlainText
                        font: VDS.font(11.5, Font.DemiBold, true)
                        color: VDS.C.accent
                    }
                }
            }
        }
    }
}
