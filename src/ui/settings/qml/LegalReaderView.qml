pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Velk.Design
import Velk.Settings

// One legal document, 754 × 610: its title, a language choice that switches
// the whole program's language, Close (Escape closes the sheet too), the
// date of the last revision and the six sections, selectable, scrolling
// below the fixed header.
Item {
    id: root
    // "privacy" or "terms".
    required property string document

    // Close was chosen.
    signal closeRequested()

    objectName: "legal"
    implicitWidth: 754
    implicitHeight: 610

    VelkAppBackdrop {
        anchors.fill: parent
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        RowLayout {
            Layout.fillWidth: true
            Layout.margins: 24
            spacing: VDS.Space.xs

            VelkText {
                objectName: "legal.title"
                text: Lang.t(Legal.titleZh(root.document), Legal.titleEn(root.document))
                textFormat: Text.PlainText
                font: VDS.title()
                color: VDS.C.text1
                Layout.fillWidth: true
            }
            VelkSegmentedPicker {
                objectName: "legal.languagePicker"
                Layout.preferredWidth: 170
                options: [{ text: "简体中文", value: "zh-Hans" }, { text: "English", value: "en" }]
                currentValue: LanguageManager.current
                onActivated: value => {
                    if (LanguageManager.current !== value)
                        LanguageManager.current = value
                }
            }
            VelkTintedButton {
                objectName: "legal.close"
                text: Lang.t("关闭", "Close")
                onClicked: root.closeRequested()
            }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: VDS.C.border
        }

        Flickable {
            id: scroll
            objectName: "legal.scroll"
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: width
            contentHeight: body.implicitHeight + 2 * 28
            boundsBehavior: Flickable.StopAtBounds
            clip: true
            ScrollBar.vertical: ScrollBar {
                policy: ScrollBar.AlwaysOn
            }

            Column {
                id: body
                x: 28
                y: 28
                width: scroll.width - 2 * 28
                spacing: 25

                SelectableText {
                    objectName: "legal.updated"
                    width: body.width
                    text: Lang.t(Legal.lastUpdatedZh, Legal.lastUpdatedEn)
                    font: VDS.font(11)
                    color: VDS.C.text3
                }

                Repeater {
                    model: Legal.sections(root.document)
                    delegate: Column {
                        id: block
                        required property var modelData
                        required property int index

                        objectName: "legal.section"
                        width: body.width
                        spacing: 10

                        SelectableText {
                            objectName: "legal.sectionTitle"
                            width: block.width
                            text: Lang.t(block.modelData.zhTitle, block.modelData.enTitle)
                            font: VDS.font(16, Font.DemiBold)
                            color: VDS.C.text1
                        }
                        SelectableText {
                            objectName: "legal.sectionBody"
                            width: block.width
                            text: Lang.t(block.modelData.zhBody, block.modelData.enBody)
                            font: VDS.font(13)
                            color: VDS.C.text2
                            lineSpacing: 6
                        }
                    }
                }
            }
        }
    }
}
