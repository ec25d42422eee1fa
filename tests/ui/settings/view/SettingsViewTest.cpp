#include "SettingsScreenFixture.h"
#include "services/update/UpdateTestSupport.h"
#include "ui/design/Presentation.h"
#include "ui/settings/SupportLinks.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QQuickTextDocument>
#include <QTextBlock>
#include <QTextDocument>

namespace velk::test {
namespace {

// The Settings page in a window of its size.
class SettingsViewTest : public SettingsScreenFixture {
protected:
    SettingsViewTest() { window.resize(610, 754); }

    QQuickItem* showSettings(QStringList arguments = {})
    {
        makeUpdates(std::move(arguments));
        return buildSettingsType("SettingsView", {{"updates", QVariant::fromValue(updates.get())}});
    }

    QQuickItem* showSettingsOver(UpdateController::Dependencies deps)
    {
        makeUpdates(std::move(deps));
        return buildSettingsType("SettingsView", {{"updates", QVariant::fromValue(updates.get())}});
    }

    QVariantList intervalWrites() const { return defaults->writesTo(QStringLiteral("samplingInterval")); }

    design::Presentation* legalSheet() { return find<design::Presentation>("settings.legalSheet"); }
};

TEST_F(SettingsViewTest, ShowingThePageWritesNothingAndReadsTheStoredInterval)
{
    ASSERT_TRUE(showSettings());
    EXPECT_EQ(text("settings.samplingValue"), "2.0s");
    EXPECT_DOUBLE_EQ(find("settings.samplingSlider")->property("value").toDouble(), 2.0);
    EXPECT_TRUE(intervalWrites().isEmpty());
    item.reset();

    defaults->seed("samplingInterval", 4.5);
    ASSERT_TRUE(buildSettingsType("SettingsView", {{"updates", QVariant::fromValue(updates.get())}}));
    EXPECT_EQ(text("settings.samplingValue"), "4.5s");
    EXPECT_TRUE(intervalWrites().isEmpty());
}

TEST_F(SettingsViewTest, EachSliderStepIsWrittenAtOnce)
{
    ASSERT_TRUE(showSettings());
    QQuickItem* slider = find("settings.samplingSlider");
    // A screen reader finds it by its row's title, with its range and step.
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(slider);
    ASSERT_TRUE(reader && reader->valueInterface());
    for (const auto& [lang, title] : {std::pair { "zh-Hans", "采样间隔" }, std::pair { "en", "Sampling interval" }}) {
        language().setCurrent(lang);
        EXPECT_EQ(reader->text(QAccessible::Name).toStdString(), title);
    }
    language().setCurrent("zh-Hans");
    EXPECT_EQ(reader->valueInterface()->minimumValue().toDouble(), 1.0);
    EXPECT_EQ(reader->valueInterface()->maximumValue().toDouble(), 5.0);
    EXPECT_EQ(reader->valueInterface()->minimumStepSize().toDouble(), 0.5);
    slider->forceActiveFocus();
    key(Qt::Key_Right);
    EXPECT_EQ(text("settings.samplingValue"), "2.5s");
    EXPECT_EQ(intervalWrites(), QVariantList{2.5});
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_EQ(text("settings.samplingValue"), "1.5s");
    EXPECT_EQ(intervalWrites(), (QVariantList{2.5, 2.0, 1.5}));

    // A click at the far end lands on the last step.
    click(slider, QPointF(slider->width() - 1, slider->height() / 2));
    EXPECT_EQ(text("settings.samplingValue"), "5.0s");
    EXPECT_DOUBLE_EQ(defaults->number("samplingInterval").value_or(0), 5.0);
    click(slider, QPointF(1, slider->height() / 2));
    EXPECT_EQ(text("settings.samplingValue"), "1.0s");
    EXPECT_DOUBLE_EQ(defaults->number("samplingInterval").value_or(0), 1.0);
}

TEST_F(SettingsViewTest, ALanguageChipSwitchesEveryTextAtOnceAndPersists)
{
    ASSERT_TRUE(showSettings());
    EXPECT_EQ(text("settings.title"), "偏好设置");
    EXPECT_TRUE(find("settings.languageChip.zh")->property("checked").toBool());
    languageDefaults()->clearWrites();

    click("settings.languageChip.en");
    EXPECT_EQ(language().current(), "en");
    EXPECT_EQ(text("settings.title"), "Settings");
    EXPECT_EQ(text("settings.footer"), "Free to use · Voluntary support for maintenance");
    EXPECT_EQ(text("settings.updateRow"), "Check for Updates");
    EXPECT_EQ(text("settings.feedbackRow"), "Feedback");
    EXPECT_EQ(find("settings.feedbackRow")->property("detail").toString(), "Issues & ideas");
    EXPECT_EQ(text("settings.githubRow"), "GitHub");
    EXPECT_EQ(find("settings.githubRow")->property("detail").toString(), "Source & release notes");
    EXPECT_TRUE(find("settings.languageChip.en")->property("checked").toBool());
    EXPECT_FALSE(find("settings.languageChip.zh")->property("checked").toBool());
    EXPECT_EQ(languageDefaults()->string("language"), "en");

    // The chip already chosen changes nothing, not even the stored value.
    languageDefaults()->clearWrites();
    click("settings.languageChip.en");
    EXPECT_TRUE(languageDefaults()->writesTo("language").isEmpty());

    click("settings.languageChip.zh");
    EXPECT_EQ(text("settings.title"), "偏好设置");
    EXPECT_EQ(text("settings.githubRow"), "GitHub");
    EXPECT_EQ(find("settings.githubRow")->property("detail").toString(), "源码与发行说明");
    EXPECT_EQ(languageDefaults()->string("language"), "zh-Hans");
}

TEST_F(SettingsViewTest, TheUpdateRowChecksAndIsDisabledWithASpinnerWhileChecking)
{
    ASSERT_TRUE(showSettings());
    EXPECT_EQ(fetches, 1);
    EXPECT_TRUE(shows("settings.updateChevron"));
    EXPECT_FALSE(shows("settings.updateSpinner"));
    EXPECT_FALSE(shows("settings.updateDot"));

    click("settings.updateRow");
    EXPECT_EQ(fetches, 2);
    EXPECT_TRUE(updates->isChecking());
    EXPECT_FALSE(find("settings.updateRow")->isEnabled());
    EXPECT_TRUE(shows("settings.updateSpinner"));
    EXPECT_FALSE(shows("settings.updateChevron"));

    click("settings.updateRow");
    EXPECT_EQ(fetches, 2) << "a disabled row starts no second check";

    answer(std::nullopt);
    EXPECT_TRUE(find("settings.updateRow")->isEnabled());
    EXPECT_TRUE(shows("settings.updateChevron"));
    ASSERT_TRUE(updates->hasStatusAlert());
    EXPECT_EQ(updates->statusAlert()->message, "无法连接更新服务器");
}

TEST_F(SettingsViewTest, WithAnUpdateWaitingTheRowPulsesAndOffersItWithoutAsking)
{
    ASSERT_TRUE(showSettings({"-UpdateUIPreview"}));
    EXPECT_TRUE(shows("settings.updateDot"));
    EXPECT_TRUE(find("settings.updateDot")->property("pulsing").toBool());
    const int before = fetches;
    click("settings.updateRow");
    EXPECT_EQ(fetches, before);
    ASSERT_TRUE(updates->hasPromptUpdate());
    EXPECT_EQ(updates->promptUpdate()->version, "1.3.0");
}

TEST_F(SettingsViewTest, ACheckOverTheNetworkShowsTheSpinnerUntilTheServerAnswers)
{
    LoopbackServer server;
    ASSERT_TRUE(server.isListening());
    ScopedUpdateServer pointAt(server.baseUrl());
    ASSERT_TRUE(pointAt.accepted());
    LoopbackServer::Response held;
    held.body = manifest("99.0", "https://updates.test/download/new.dmg", ",\"notes\":\"Faster scans\"");
    held.held = true;
    server.respond("/download/update.json", held);
    server.respond("/download/latest.json", 404, "");

    UpdateController::Dependencies deps = doubles();
    deps.fetch = UpdateCheck::fetch;
    ASSERT_TRUE(showSettingsOver(std::move(deps)));
    // The start-up check asks the server too; let it end.
    ASSERT_TRUE(runUntil([&] { return server.requestsFor("/download/update.json").size() == 1; }));
    server.release("/download/update.json");
    ASSERT_TRUE(runUntil([&] { return !updates->isChecking(); }));
    EXPECT_TRUE(shows("settings.updateDot"));
    updates->skip("99.0");
    EXPECT_FALSE(shows("settings.updateDot"));

    click("settings.updateRow");
    ASSERT_TRUE(runUntil([&] { return server.requestsFor("/download/update.json").size() == 2; }));
    EXPECT_TRUE(shows("settings.updateSpinner"));
    EXPECT_FALSE(find("settings.updateRow")->isEnabled());
    server.release("/download/update.json");
    ASSERT_TRUE(runUntil([&] { return !updates->isChecking(); }));
    EXPECT_TRUE(shows("settings.updateChevron"));
    // A check the user asked for offers even the skipped version.
    ASSERT_TRUE(updates->hasPromptUpdate());
    EXPECT_EQ(updates->promptUpdate()->version, "99.0");
    EXPECT_EQ(updates->promptUpdate()->notes, "Faster scans");
    EXPECT_FALSE(shows("settings.updateDot"));
}

TEST_F(SettingsViewTest, SupportRowsOpenTheTwoAddressesInTheBrowser)
{
    ASSERT_TRUE(showSettings());
    click("settings.githubRow");
    click("settings.feedbackRow");
    const QList<FakeWorkspace::Call> expected{
        {"openUrl", {settings::SupportLinks::repository().toString()}},
        {"openUrl", {settings::SupportLinks::feedback().toString()}},
    };
    EXPECT_EQ(fakeWorkspace().calls(), expected);
    EXPECT_TRUE(settings::SupportLinks::repository().isValid());
    EXPECT_TRUE(settings::SupportLinks::feedback().isValid());
    EXPECT_EQ(settings::SupportLinks::repository().scheme(), "https");
    EXPECT_EQ(settings::SupportLinks::feedback().scheme(), "https");
}

TEST_F(SettingsViewTest, LegalRowsOpenTheReaderWhichCloseAndEscapeClose)
{
    ASSERT_TRUE(showSettings());
    QQuickWindow* sheetWindow = sheetWindowOf(legalSheet());
    ASSERT_TRUE(sheetWindow);

    click("settings.privacyRow");
    EXPECT_EQ(item->property("legalDocument").toString(), "privacy");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheetWindow));
    EXPECT_EQ(sheetWindow->size(), QSize(754, 610));
    EXPECT_EQ(textIn(sheetWindow, "legal.title"), "隐私政策");
    QTest::keyClick(sheetWindow, Qt::Key_Escape);
    EXPECT_FALSE(sheetWindow->isVisible());
    EXPECT_TRUE(item->property("legalDocument").toString().isEmpty());

    // With the Settings window at the screen's left edge the wider reader
    // still opens inside the screen.
    window.setPosition(window.screen()->availableGeometry().topLeft());
    click("settings.termsRow");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheetWindow));
    EXPECT_TRUE(window.screen()->availableGeometry().contains(sheetWindow->geometry()));
    EXPECT_EQ(textIn(sheetWindow, "legal.title"), "使用条款");
    clickIn(sheetWindow, findIn(sheetWindow, "legal.close"));
    EXPECT_FALSE(sheetWindow->isVisible());
    EXPECT_TRUE(item->property("legalDocument").toString().isEmpty());
}

// The reader on its own, as the sheet shows it.
class LegalReaderTest : public SettingsScreenFixture {
protected:
    LegalReaderTest() { window.resize(754, 610); }

    QQuickItem* showReader(const QString& document)
    {
        return buildSettingsType("LegalReaderView", {{"document", document}});
    }

    QList<QQuickItem*> sections() { return findAll("legal.section"); }

    QStringList texts(const char* name)
    {
        QStringList found;
        for (QQuickItem* i : findAll(name))
            found.append(i->property("text").toString());
        return found;
    }
};

TEST_F(LegalReaderTest, EachDocumentShowsSixNonEmptySectionsInBothLanguages)
{
    for (const QString& document : {QStringLiteral("privacy"), QStringLiteral("terms")}) {
        SCOPED_TRACE(document.toStdString());
        for (const QString& lang : {QStringLiteral("zh-Hans"), QStringLiteral("en")}) {
            SCOPED_TRACE(lang.toStdString());
            language().setCurrent(lang);
            ASSERT_TRUE(showReader(document));
            settle();
            EXPECT_EQ(sections().size(), 6);
            const QStringList titles = texts("legal.sectionTitle");
            const QStringList bodies = texts("legal.sectionBody");
            ASSERT_EQ(titles.size(), 6);
            ASSERT_EQ(bodies.size(), 6);
            for (int i = 0; i < 6; ++i) {
                EXPECT_FALSE(titles[i].trimmed().isEmpty()) << i;
                EXPECT_GT(bodies[i].trimmed().size(), 60) << i;
            }
            EXPECT_EQ(text("legal.updated"),
                      lang == "en" ? "Last updated: November 16, 2026" : "最后更新：2026 年 11 月 16 日");
            item.reset();
        }
    }
}

TEST_F(LegalReaderTest, ThePickerSwitchesTheWholeProgramsLanguageInPlace)
{
    ASSERT_TRUE(showReader("terms"));
    settle();
    EXPECT_EQ(text("legal.title"), "使用条款");
    EXPECT_EQ(texts("legal.sectionTitle").value(0), "使用范围与版本");
    EXPECT_EQ(find("legal.languagePicker")->property("currentValue").toString(), "zh-Hans");

    click("segmentedPicker.segment.1");
    EXPECT_EQ(language().current(), "en");
    EXPECT_EQ(languageDefaults()->string("language"), "en");
    EXPECT_EQ(text("legal.title"), "Terms of use");
    EXPECT_EQ(text("legal.close"), "Close");
    EXPECT_EQ(texts("legal.sectionTitle").value(0), "Scope and versions");
    EXPECT_EQ(texts("legal.sectionTitle").value(5), "Privacy, third parties and contact");

    click("segmentedPicker.segment.0");
    EXPECT_EQ(text("legal.title"), "使用条款");
    EXPECT_EQ(text("legal.close"), "关闭");
}

TEST_F(LegalReaderTest, BodiesAreSelectableAndLongOnesScrollBelowTheFixedHeader)
{
    ASSERT_TRUE(showReader("privacy"));
    settle();
    QQuickItem* body = findAll("legal.sectionBody").value(1);
    ASSERT_TRUE(body);
    EXPECT_TRUE(body->property("selectByMouse").toBool());
    QMetaObject::invokeMethod(body, "selectAll");
    EXPECT_EQ(body->property("selectedText").toString(), body->property("text").toString());

    auto* scroll = find("legal.scroll");
    EXPECT_GT(scroll->property("contentHeight").toDouble(), scroll->height());
    const QPointF titleBefore = find("legal.title")->mapToScene({});
    scroll->setProperty("contentY", 200);
    settle();
    EXPECT_EQ(find("legal.title")->mapToScene({}), titleBefore);

    // The bodies carry their extra line spacing.
    auto* document = body->property("textDocument").value<QQuickTextDocument*>();
    ASSERT_TRUE(document);
    const QTextBlockFormat format = document->textDocument()->begin().blockFormat();
    EXPECT_EQ(format.lineHeightType(), QTextBlockFormat::LineDistanceHeight);
    EXPECT_DOUBLE_EQ(format.lineHeight(), 6);
}

// Pictures of the page and the reader in both themes and both languages.
TEST_F(SettingsViewTest, Pictures)
{
    if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
        GTEST_SKIP() << "pictures only when VELK_SHOT_DIR is set";
    for (const QString& theme : {QStringLiteral("classic"), QStringLiteral("cyber")}) {
        design::ThemeManager::shared().setCurrentRawValue(theme);
        for (const QString& lang : {QStringLiteral("zh-Hans"), QStringLiteral("en")}) {
            language().setCurrent(lang);
            if (!item) {
                ASSERT_TRUE(showSettings({"-UpdateUIPreview"}));
            }
            settle();
            shoot(QString("settings-%1-%2").arg(theme, lang));
            find("settings.scroll")->setProperty("contentY", 400);
            settle();
            shoot(QString("settings-%1-%2-scrolled").arg(theme, lang));
            find("settings.scroll")->setProperty("contentY", 0);
        }
    }
    design::ThemeManager::shared().setCurrentRawValue("classic");
}

TEST_F(LegalReaderTest, Pictures)
{
    if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
        GTEST_SKIP() << "pictures only when VELK_SHOT_DIR is set";
    for (const QString& theme : {QStringLiteral("classic"), QStringLiteral("cyber")}) {
        design::ThemeManager::shared().setCurrentRawValue(theme);
        for (const QString& lang : {QStringLiteral("zh-Hans"), QStringLiteral("en")}) {
            language().setCurrent(lang);
            if (!item) {
                ASSERT_TRUE(showReader("privacy"));
            }
            settle();
            shoot(QString("legal-%1-%2").arg(theme, lang));
        }
    }
    design::ThemeManager::shared().setCurrentRawValue("classic");
}

} // namespace
} // namespace velk::test
