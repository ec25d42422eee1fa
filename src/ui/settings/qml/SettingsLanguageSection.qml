import QtQuick
import QtQuick.Layouts
import Velk.Design

// The interface language: the explanation and the two language chips.
Column {
    id: root
    topPadding: VDS.Space.s
    bottomPadding: VDS.Space.s

    RowLayout {
        width: root.width
        spacing: VDS.Space.m

        SettingsIcon {
            name: "globe"
            Layout.alignment: Qt.AlignTop
        }
        Column {
            spacing: VDS.Space.xxs
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignTop

            VelkText {
                text: Lang.t("界面语言", "Language")
                textFormat: Text.PlainText
                font: VDS.body(Font.Medium)
                color: VDS.C.text1
            }
            VelkText {
                text: Lang.t("立即生效，无需重启", "Applies immediately")
                textFormat: Text.PlainText
                font: VDS.caption()
                color: VDS.C.text3
            }
        }
        Row {
            spacing: VDS.Space.xxs
            Layout.alignment: Qt.AlignTop

            LanguageChip {
                objectName: "settings.languageChip.zh"
                text: "简体中文"
                tag: "zh-Hans"
            }
            LanguageChip {
                objectName: "settings.languageChip.en"
                text: "English"
                tag: "en"
            }
        }
    }
}
