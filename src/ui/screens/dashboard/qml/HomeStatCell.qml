import QtQuick
import QtQuick.Templates as T
import Velk.Design
import Velk.Dashboard

// One figure of the stats row: its title above its value. Every cell but
// Uptime is a button that opens System Info, with a tooltip saying so.
T.AbstractButton {
    id: root
    required property string statId
    required property string title
    required property string value
    readonly property bool opensInfo: statId !== "up"
    readonly property string infoTitle: Lang.sectionTitle(HomeSections.systemInfoId)
    readonly property string tip: opensInfo ? Lang.t("打开" + infoTitle, "Open " + infoTitle) : ""

    signal opened()

    objectName: "dashboard.stat." + statId
    enabled: opensInfo
    hoverEnabled: opensInfo
    focusPolicy: Qt.NoFocus
    padding: 0
    implicitWidth: Math.max(titleText.implicitWidth, valueText.implicitWidth)
    implicitHeight: column.implicitHeight
    Accessible.name: title
    // The figure, told with the name wherever the focus reads it.
    Accessible.description: value
    Accessible.onPressAction: ButtonPress.click(root)

    onClicked: {
        if (opensInfo)
            opened()
    }

    contentItem: Item {}

    Column {
        id: column
        width: root.width
        spacing: VDS.Space.xs

        VelkText {
            id: titleText
            // The control carries it as its name.
            Accessible.ignored: true
            text: root.title
            textFormat: Text.PlainText
            font: VDS.caption()
            color: VDS.C.text3
        }
        VelkText {
            id: valueText
            objectName: "dashboard.stat.value"
            width: Math.min(implicitWidth, root.width)
            text: root.value
            textFormat: Text.PlainText
            font: VDS.font(VDS.TypeScale.body + 2, Font.Medium)
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.floor((VDS.TypeScale.body + 2) * 0.7)
            maximumLineCount: 1
            wrapMode: Text.NoWrap
            color: VDS.C.text1
        }
    }

    VelkToolTip {
        objectName: "dashboard.stat.tip"
        text: root.tip
    }
}
