#include "ui/settings/LegalDocuments.h"
#include "ui/settings/LegalTexts.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace velk::settings {
namespace {

const LegalDocument kDocuments[] = {LegalDocument::Privacy, LegalDocument::Terms};

TEST(LegalDocuments, RawValuesTitlesAndLookup)
{
    EXPECT_EQ(rawValue(LegalDocument::Privacy), "privacy");
    EXPECT_EQ(rawValue(LegalDocument::Terms), "terms");
    for (LegalDocument document : kDocuments)
        EXPECT_EQ(legalDocumentFromRawValue(rawValue(document)), document);
    EXPECT_FALSE(legalDocumentFromRawValue(""));
    EXPECT_FALSE(legalDocumentFromRawValue("Privacy"));
    EXPECT_EQ(titleZh(LegalDocument::Privacy), "隐私政策");
    EXPECT_EQ(titleEn(LegalDocument::Privacy), "Privacy policy");
    EXPECT_EQ(titleZh(LegalDocument::Terms), "使用条款");
    EXPECT_EQ(titleEn(LegalDocument::Terms), "Terms of use");
}

TEST(LegalDocuments, SectionTitlesInOrder)
{
    QStringList terms, privacy;
    for (const LegalSection& s : legalSections(LegalDocument::Terms, "1.0"))
        terms << s.zhTitle + "/" + s.enTitle;
    for (const LegalSection& s : legalSections(LegalDocument::Privacy, "1.0"))
        privacy << s.zhTitle + "/" + s.enTitle;
    EXPECT_EQ(terms, (QStringList{"使用范围与版本/Scope and versions",
                                  "软件使用与知识产权/Software use and intellectual property",
                                  "清理与系统操作风险/Cleaning and system-operation risks",
                                  "免费与自愿支持/Free use and voluntary support",
                                  "可用性、变更与责任/Availability, changes and responsibility",
                                  "隐私、第三方与联系/Privacy, third parties and contact"}));
    EXPECT_EQ(privacy, (QStringList{"适用范围/Scope", "客户端在本机处理什么/What the client processes locally",
                                    "偏好与权限/Preferences and permissions",
                                    "网站存储与访问日志/Website storage and access logs",
                                    "历史服务与第三方/Legacy services and third parties",
                                    "选择、联系与更新/Your choices, contact and updates"}));
}

// One paragraph each, of the lengths the reader is laid out for, naming no
// version but the running one and no signing or payment service this build
// does not have.
TEST(LegalDocuments, BodiesAreSingleParagraphsOfTheExpectedLengthAndClaimNothingUntrue)
{
    const QRegularExpression otherVersion(QStringLiteral("\\b\\d+\\.\\d+\\.\\d+\\b"));
    for (LegalDocument document : kDocuments) {
        const QList<LegalSection> sections = legalSections(document, "7.8.9");
        ASSERT_EQ(sections.size(), 6);
        for (const LegalSection& s : sections) {
            SCOPED_TRACE(s.enTitle.toStdString());
            for (const QString& body : {s.zhBody, s.enBody}) {
                EXPECT_FALSE(body.contains('\n'));
                EXPECT_FALSE(body.contains("{version}"));
                EXPECT_EQ(body, body.trimmed());
                QString withoutRunning = body;
                withoutRunning.remove("7.8.9");
                EXPECT_FALSE(otherVersion.match(withoutRunning).hasMatch()) << body.toStdString();
                for (const char* claim : {"notari", "signed", "签名", "公证", "Alipay", "支付宝", "Apple"})
                    EXPECT_FALSE(body.contains(QString::fromUtf8(claim), Qt::CaseInsensitive)) << claim;
            }
            EXPECT_GE(s.enBody.size(), 270);
            EXPECT_LE(s.enBody.size(), 570);
            EXPECT_GE(s.zhBody.size(), 80);
            EXPECT_LE(s.zhBody.size(), 200);
        }
    }
    EXPECT_TRUE(legalSections(LegalDocument::Terms, "7.8.9")[0].enBody.contains("version 7.8.9"));
    EXPECT_TRUE(legalSections(LegalDocument::Privacy, "7.8.9")[0].zhBody.contains("版本 7.8.9"));
}

TEST(LegalTexts, QmlFaceListsSectionsByRawValue)
{
    LegalTexts texts;
    const QVariantList terms = texts.sections("terms");
    ASSERT_EQ(terms.size(), 6);
    const QVariantMap first = terms[0].toMap();
    EXPECT_EQ(first.value("zhTitle").toString(), "使用范围与版本");
    EXPECT_EQ(first.value("enTitle").toString(), "Scope and versions");
    EXPECT_FALSE(first.value("zhBody").toString().isEmpty());
    EXPECT_FALSE(first.value("enBody").toString().isEmpty());
    EXPECT_TRUE(texts.sections("nothing").isEmpty());
    EXPECT_EQ(texts.titleEn("privacy"), "Privacy policy");
    EXPECT_TRUE(texts.titleZh("").isEmpty());
    EXPECT_EQ(texts.lastUpdatedZh(), "最后更新：2026 年 11 月 16 日");
    EXPECT_EQ(texts.lastUpdatedEn(), "Last updated: November 16, 2026");
}

} // namespace
} // namespace velk::settings
