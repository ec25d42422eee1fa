import QtQuick
import QtQuick.Controls.Basic
import Velk.Design
import Velk.Models
import Velk.Settings

// The Settings page, 610 × 754: the sampling interval, the interface
// language, the update check, the support links and the legal documents,
// which open in the reader sheet.
Item {
    id: root
    required property UpdateController updates
    // The document the reader sheet shows ("privacy" or "terms"); empty
    // while it is closed.
    property string legalDocument
    readonly property real inset: VDS.Space.xl

    objectName: "settings"
    implicitWidth: 610
    implicitHeight: 754

    VelkAppBackdrop {
        anchors.fill: parent
    }

    VelkText {
        id: title
        objectName: "settings.title"
        x: root.inset
        y: VDS.Space.l
        width: root.width - 2 * root.inset
        text: Lang.t("偏好设置", "Settings")
        textFormat: Text.PlainText
        font: VDS.title()
        color: VDS.C.text1
    }

    Flickable {
        id: scroll
        objectName: "settings.scroll"
        anchors.top: title.bottom
        anchors.topMargin: VDS.Space.m
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        contentWidth: width
        contentHeight: page.implicitHeight + 2 * VDS.Space.l
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        ScrollBar.vertical: ScrollBar { }

        Column {
            id: page
            x: root.inset
            y: VDS.Space.l
            width: Math.min(VDS.Measure.column, scroll.width - 2 * root.inset)
            spacing: VDS.Space.l

            SettingsGroup {
                width: page.width
                title: Lang.t("监控", "Monitoring")
                SettingsSamplingSection { width: page.width }
            }
            SettingsGroup {
                width: page.width
                title: Lang.t("界面", "Interface")
                SettingsLanguageSection { width: page.width }
            }
            SettingsGroup {
                width: page.width
                title: Lang.t("软件更新", "Updates")
                SettingsUpdateRow {
                    objectName: "settings.updateRow"
                    width: page.width
                    updates: root.updates
                }
            }
            SettingsGroup {
                width: page.width
                title: Lang.t("支持与反馈", "Support")
                SettingsActionRow {
                    objectName: "settings.githubRow"
                    width: page.width
                    symbol: "link"
                    tint: VDS.C.slate
                    text: "GitHub"
                    detail: Lang.t("源码与发行说明", "Source & release notes")
                    onClicked: SupportLinks.open(SupportLinks.repository)
                }
                SettingsActionRow {
                    objectName: "settings.feedbackRow"
                    width: page.width
                    symbol: "bubble.left.and.bubble.right"
                    tint: VDS.C.amber
                    text: Lang.t("反馈", "Feedback")
                    detail: Lang.t("问题与建议", "Issues & ideas")
                    onClicked: SupportLinks.open(SupportLinks.feedback)
                }
            }
            SettingsGroup {
                width: page.width
                title: Lang.t("法律信息", "Legal")
                SettingsActionRow {
                    objectName: "settings.privacyRow"
                    width: page.width
                    symbol: "hand.raised"
                    tint: VDS.C.slate
                    text: Lang.t("隐私政策", "Privacy policy")
                    onClicked: root.legalDocument = "privacy"
                }
                SettingsActionRow {
                    objectName: "settings.termsRow"
                    width: page.width
                    symbol: "doc.text"
                    tint: VDS.C.slate
                    text: Lang.t("使用条款", "Terms of use")
                    onClicked: root.legalDocument = "terms"
                }
            }
            VelkText {
                objectName: "settings.footer"
                width: page.width
                topPadding: VDS.Space.xs
                text: Lang.t("免费使用 · 自愿支持项目维护", "Free to use · Voluntary support for maintenance")
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                font: VDS.caption()
                color: VDS.C.text4
            }
        }
    }

    VelkSheet {
        id: legalSheet
        objectName: "settings.legalSheet"
        presented: root.legalDocument.length > 0
        sheetWidth: 754
        sheetHeight: 610
        title: Lang.t(Legal.titleZh(root.legalDocument), Legal.titleEn(root.legalDocument))
        onClosed: root.legalDocument = ""

        LegalReaderView {
            anchors.fill: parent
            document: root.legalDocument
            onCloseRequested: legalSheet.dismiss()
        }
    }
}
