pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.Processes

// The five sort keys, in their order; the current one in the accent on a
// raised fill.
Item {
    id: root
    required property ProcessMonitorModel screen

    implicitHeight: buttons.implicitHeight + 16
    implicitWidth: buttons.implicitWidth + 28

    Row {
        id: buttons
        x: 14
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6

        Repeater {
            model: [
                { key: ProcessMonitorModel.Cpu, name: "cpu", zh: "CPU 占用", en: "CPU",
                  helpZh: "按 CPU 占用率排序", helpEn: "Sort by CPU usage" },
                { key: ProcessMonitorModel.Memory, name: "mem", zh: "内存占用", en: "Memory",
                  helpZh: "按内存占用排序", helpEn: "Sort by memory usage" },
                { key: ProcessMonitorModel.Threads, name: "threads", zh: "线程数", en: "Threads",
                  helpZh: "按线程数排序", helpEn: "Sort by thread count" },
                { key: ProcessMonitorModel.Pid, name: "pid", zh: "PID", en: "PID",
                  helpZh: "按 PID 排序", helpEn: "Sort by PID" },
                { key: ProcessMonitorModel.Name, name: "name", zh: "名称", en: "Name",
                  helpZh: "按名称排序", helpEn: "Sort by name" }
            ]
            delegate: Rectangle {
                id: button
                required property var modelData
                readonly property bool current: root.screen.sortKey === modelData.key

                objectName: "processes.sort." + modelData.name
                width: label.implicitWidth + 20
                height: label.implicitHeight + 12
                radius: 6
                color: current ? VDS.C.bg3 : "transparent"
                Accessible.role: Accessible.Button
                Accessible.name: label.text
                Accessible.onPressAction: ButtonPress.act(button, () => { root.screen.sortKey = button.modelData.key })

                VelkText {
                    id: label
                    // The control carries it as its name.
                    Accessible.ignored: true
                    anchors.centerIn: parent
                    text: Lang.t(button.modelData.zh, button.modelData.en)
                    textFormat: Text.PlainText
                    font: VDS.font(12, Font.Medium)
                    color: button.current ? VDS.C.accent : VDS.C.text2
                }
                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: root.screen.sortKey = button.modelData.key
                    ToolTip.visible: containsMouse
                    ToolTip.delay: 700
                    ToolTip.text: Lang.t(button.modelData.helpZh, button.modelData.helpEn)
                }
            }
        }
    }
}
