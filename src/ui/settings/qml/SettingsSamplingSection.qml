import QtQuick
import QtQuick.Layouts
import Velk.Design
import Velk.Settings

// The sampling interval: the value as "2.0s", a slider from 1 to 5 s in
// steps of 0.5 that writes each step at once, and the two ends explained.
Column {
    id: root
    // Lines the slider up with the text column after the icon.
    readonly property real textInset: VDS.Space.m + 22
    readonly property string title: Lang.t("采样间隔", "Sampling interval")

    spacing: VDS.Space.s
    topPadding: VDS.Space.s
    bottomPadding: VDS.Space.s

    SamplingIntervalSetting {
        id: interval
    }

    RowLayout {
        width: root.width
        spacing: VDS.Space.m

        SettingsIcon {
            name: "waveform.path.ecg"
            Layout.alignment: Qt.AlignTop
        }
        Column {
            spacing: VDS.Space.xxs
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignTop

            RowLayout {
                width: parent.width
                spacing: VDS.Space.m

                VelkText {
                    text: root.title
                    textFormat: Text.PlainText
                    font: VDS.body(Font.Medium)
                    color: VDS.C.text1
                    Layout.fillWidth: true
                }
                VelkText {
                    objectName: "settings.samplingValue"
                    text: interval.text
                    textFormat: Text.PlainText
                    font: VDS.font(VDS.TypeScale.body, Font.DemiBold, true)
                    color: VDS.C.accent
                }
            }
            VelkText {
                text: Lang.t("仪表盘与进程监视刷新频率", "Dashboard & process monitor refresh")
                textFormat: Text.PlainText
                font: VDS.caption()
                color: VDS.C.text3
            }
        }
    }

    VelkSlider {
        objectName: "settings.samplingSlider"
        Accessible.name: root.title
        x: root.textInset
        width: root.width - root.textInset
        from: interval.minimum
        to: interval.maximum
        stepSize: interval.step
        value: interval.value
        tint: VDS.C.accent
        onMoved: interval.choose(value)
    }

    RowLayout {
        x: root.textInset
        width: root.width - root.textInset

        VelkText {
            text: Lang.t("1s · 更灵敏", "1s · Responsive")
            textFormat: Text.PlainText
            font: VDS.caption()
            color: VDS.C.text4
            Layout.fillWidth: true
        }
        VelkText {
            text: Lang.t("5s · 更省电", "5s · Efficient")
            textFormat: Text.PlainText
            font: VDS.caption()
            color: VDS.C.text4
        }
    }
}
