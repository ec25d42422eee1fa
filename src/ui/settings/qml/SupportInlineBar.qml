pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Velk.Design
import Velk.Settings

// One line saying the program is free and community supported, with links
// to the repository page and the issue tracker: the statement at the
// leading edge, the links at the trailing edge.
Item {
    id: root

    objectName: "supportBar"
    implicitWidth: row.implicitWidth + 8
    implicitHeight: row.implicitHeight + 2

    RowLayout {
        id: row
        x: 4
        y: 2
        width: root.width - 8
        spacing: 12

        Row {
            spacing: 6

            SymbolIcon {
                name: "heart.fill"
                size: 10
                color: VDS.C.accent
                opacity: 0.85
                anchors.verticalCenter: parent.verticalCenter
            }
            VelkText {
                objectName: "supportBar.statement"
                text: Lang.t("为爱发电 · 免费使用", "Free & Community Supported")
                textFormat: Text.PlainText
                font: VDS.font(11.5, Font.Medium)
                color: VDS.C.text3
                anchors.verticalCenter: parent.verticalCenter
            }
        }
        Item {
            Layout.fillWidth: true
        }
        Row {
            spacing: 14

            Repeater {
                model: [{ name: "supportBar.github", text: "GitHub", url: SupportLinks.repository },
                        { name: "supportBar.feedback", text: Lang.t("反馈建议", "Feedback"), url: SupportLinks.feedback }]
                delegate: T.AbstractButton {
                    id: link
                    required property var modelData

                    objectName: modelData.name
                    text: modelData.text
                    padding: 0
                    implicitWidth: implicitContentWidth
                    implicitHeight: implicitContentHeight
                    onClicked: SupportLinks.open(modelData.url)
                    Accessible.name: text
                    Accessible.onPressAction: ButtonPress.click(link)

                    contentItem: Row {
                        spacing: 3

                        VelkText {
                            // The link carries it as its name.
                            Accessible.ignored: true
                            text: link.text
                            textFormat: Text.PlainText
                            font: VDS.font(11, Font.Medium)
                            color: VDS.C.text3
                            anchors.verticalCenter: parent.verticalCenter
                        }
                        SymbolIcon {
                            name: "arrow.up.right"
                            size: 9
                            font.weight: Font.DemiBold
                            color: VDS.C.text3
                            anchors.verticalCenter: parent.verticalCenter
                        }
                    }
                }
            }
        }
    }
}
