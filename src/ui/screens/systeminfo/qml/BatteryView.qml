import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.SystemInfo

// A page of its own for the internal battery: charge, health and model
// cards and a note on where the figures come from, or an empty state on a
// machine without a battery. It reads the battery when shown and every
// 30 seconds while it stays shown, and on the refresh button.
Item {
    id: root
    readonly property BatteryPage page: pageState

    objectName: "battery"
    implicitWidth: 640
    implicitHeight: 720

    BatteryPage {
        id: pageState
        shown: root.visible
    }

    PageHeader {
        id: header
        objectName: "battery.header"
        anchors.left: parent.left
        anchors.right: parent.right
        title: Lang.t("电池", "Battery")
        subtitle: pageState.present ? Format.decimal(pageState.percent) + "%" : ""

        VelkTintedButton {
            objectName: "battery.refresh"
            implicitWidth: implicitHeight
            symbol: "arrow.clockwise"
            Accessible.name: refreshTip.text
            onClicked: pageState.refresh()
            VelkToolTip { id: refreshTip; text: Lang.t("刷新", "Refresh") }
        }
    }

    Flickable {
        id: scroll
        objectName: "battery.scroll"
        visible: pageState.present
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        clip: true
        contentWidth: width
        contentHeight: cards.implicitHeight + 2 * VDS.Space.l
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        Column {
            id: cards
            x: VDS.Space.l
            y: VDS.Space.l
            width: scroll.width - 2 * VDS.Space.l
            spacing: VDS.Space.m

            BatteryGroup {
                objectName: "battery.charge"
                width: parent.width
                title: Lang.t("充电信息", "Charge Information")
                rows: pageState.charge
                rowName: "battery.row"
            }
            BatteryGroup {
                objectName: "battery.health"
                width: parent.width
                title: Lang.t("健康信息", "Health Information")
                rows: pageState.health
                rowName: "battery.row"
            }
            BatteryGroup {
                objectName: "battery.model"
                width: parent.width
                title: Lang.t("型号信息", "Model Information")
                rows: pageState.model
                rowName: "battery.row"
            }
            VelkText {
                objectName: "battery.footnote"
                width: parent.width
                wrapMode: Text.Wrap
                text: Lang.t("与「系统信息 › 电源」的充电信息和健康信息相同。最大容量使用系统百分比。循环次数不除以设计循环数。",
                             "Matches Charge Information and Health Information in System Information › Power. Maximum capacity uses the system percentage. Cycle count is not divided by the design cycle count.")
                textFormat: Text.PlainText
                font: VDS.font(11.5)
                color: VDS.C.text3
            }
        }
    }

    VelkEmptyState {
        objectName: "battery.empty"
        visible: !pageState.present
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        icon: "battery.0"
        title: Lang.t("没有检测到电池", "No Battery Detected")
    }
}
