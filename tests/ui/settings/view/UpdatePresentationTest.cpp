#include "SettingsScreenFixture.h"
#include "ui/design/AlertPresentation.h"
#include "ui/design/Presentation.h"

namespace velk::test {
namespace {

const AppUpdate kOffer{"99.1", QUrl("https://updates.test/download/a.dmg"), "  \n• Faster scans\n• Fewer clicks\n\n "};

// The update prompt sheet and the two update alerts, as the main window
// shows them, over a controller whose checks and installs wait for the test.
class UpdatePresentationTest : public SettingsScreenFixture {
protected:
    QQuickItem* showPresentation(QStringList arguments = {})
    {
        makeUpdates(std::move(arguments));
        return buildSettingsType("UpdatePresentation", {{"updates", QVariant::fromValue(updates.get())}});
    }

    // Lets a manual check end with `offer`, which opens the prompt.
    QQuickWindow* prompt(const AppUpdate& offer)
    {
        updates->checkFromSidebar();
        answer(offer);
        QQuickWindow* sheet = sheetWindowOf(find<QObject>("updatePrompt.sheet"));
        EXPECT_TRUE(sheet && QTest::qWaitForWindowExposed(sheet));
        return sheet;
    }

    design::PresentationHost* alerts() { return design::PresentationHost::alertHost(&window); }

    // Keys go to the main window again. (A closed sheet can keep the focus on
    // the offscreen platform, which has no window manager to move it.)
    void activateMainWindow()
    {
        window.requestActivate();
        EXPECT_TRUE(waitFor([this] { return QGuiApplication::focusWindow() == &window; }));
    }
};

TEST_F(UpdatePresentationTest, ThePromptNamesBothVersionsAndTheTrimmedNotes)
{
    ASSERT_TRUE(showPresentation());
    QQuickWindow* sheet = prompt(kOffer);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->width(), 610);
    EXPECT_EQ(textIn(sheet, "updatePrompt.title"), "发现新版本");
    EXPECT_EQ(textIn(sheet, "updatePrompt.version"), UpdateCheck::localVersion() + " → 99.1");
    EXPECT_EQ(textIn(sheet, "updatePrompt.notes"), "• Faster scans\n• Fewer clicks");
    EXPECT_EQ(textIn(sheet, "updatePrompt.skip"), "跳过此版本");
    EXPECT_EQ(textIn(sheet, "updatePrompt.later"), "稍后再说");
    EXPECT_EQ(textIn(sheet, "updatePrompt.install"), "下载并安装");

    // Skip, Later and Install, left to right.
    const double skip = findIn(sheet, "updatePrompt.skip")->mapToScene({}).x();
    const double later = findIn(sheet, "updatePrompt.later")->mapToScene({}).x();
    const double install = findIn(sheet, "updatePrompt.install")->mapToScene({}).x();
    EXPECT_LT(skip, later);
    EXPECT_LT(later, install);

    language().setCurrent("en");
    EXPECT_EQ(textIn(sheet, "updatePrompt.title"), "Update Available");
    EXPECT_EQ(textIn(sheet, "updatePrompt.skip"), "Skip This Version");
    EXPECT_EQ(textIn(sheet, "updatePrompt.later"), "Later");
    EXPECT_EQ(textIn(sheet, "updatePrompt.install"), "Download & Install");
}

TEST_F(UpdatePresentationTest, BlankNotesGiveTheFallbackInBothLanguages)
{
    ASSERT_TRUE(showPresentation());
    QQuickWindow* sheet = prompt({"99.1", QUrl("https://updates.test/a.dmg"), " \n\n \t\n"});
    ASSERT_TRUE(sheet);
    EXPECT_EQ(textIn(sheet, "updatePrompt.notes"), "暂无详细说明，建议安装后查看发行说明。");
    language().setCurrent("en");
    EXPECT_EQ(textIn(sheet, "updatePrompt.notes"), "No detailed notes. Check the release notes after installing.");
}

TEST_F(UpdatePresentationTest, LongNotesScrollWithinTheirAreaAndTheButtonsStay)
{
    ASSERT_TRUE(showPresentation());
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << QString("• change %1").arg(i);
    QQuickWindow* sheet = prompt({"99.1", QUrl("https://updates.test/a.dmg"), lines.join('\n')});
    ASSERT_TRUE(sheet);
    QQuickItem* scroll = findIn(sheet, "updatePrompt.notesScroll");
    EXPECT_EQ(scroll->height(), 220);
    EXPECT_GT(scroll->property("contentHeight").toDouble(), 220);
    QQuickItem* install = findIn(sheet, "updatePrompt.install");
    EXPECT_LE(install->mapToScene({0, install->height()}).y(), sheet->height());
}

TEST_F(UpdatePresentationTest, SkipRemembersTheVersionTurnsTheBadgeOffAndCloses)
{
    ASSERT_TRUE(showPresentation());
    updates->check(true, nullptr);
    answer(kOffer);
    ASSERT_TRUE(updates->showsBadge());
    updates->presentPendingIfNeeded();
    QQuickWindow* sheet = sheetWindowOf(find<QObject>("updatePrompt.sheet"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));

    clickIn(sheet, findIn(sheet, "updatePrompt.skip"));
    EXPECT_EQ(defaults->string("skippedUpdateVersion"), "99.1");
    EXPECT_FALSE(updates->showsBadge());
    EXPECT_FALSE(updates->hasPromptUpdate());
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(installs.empty());
}

TEST_F(UpdatePresentationTest, LaterAndTheCloseButtonOnlyCloseAndKeepTheBadge)
{
    ASSERT_TRUE(showPresentation());
    updates->check(true, nullptr);
    answer(kOffer);
    for (const char* closer : {"updatePrompt.later", "updatePrompt.close"}) {
        SCOPED_TRACE(closer);
        updates->presentPendingIfNeeded();
        QQuickWindow* sheet = sheetWindowOf(find<QObject>("updatePrompt.sheet"));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
        clickIn(sheet, findIn(sheet, closer));
        EXPECT_FALSE(sheet->isVisible());
        EXPECT_FALSE(updates->hasPromptUpdate());
        EXPECT_TRUE(updates->showsBadge());
    }
    EXPECT_FALSE(defaults->contains("skippedUpdateVersion"));
    EXPECT_TRUE(installs.empty());
}

TEST_F(UpdatePresentationTest, InstallShowsItsBusyTextIgnoresClicksAndReturnAndStaysOpen)
{
    ASSERT_TRUE(showPresentation());
    QQuickWindow* sheet = prompt(kOffer);
    ASSERT_TRUE(sheet);

    QTest::keyClick(sheet, Qt::Key_Return);
    ASSERT_EQ(installs.size(), 1u);
    EXPECT_EQ(installs[0], kOffer);
    EXPECT_TRUE(updates->installing());
    EXPECT_EQ(textIn(sheet, "updatePrompt.install"), "正在下载…");
    language().setCurrent("en");
    EXPECT_EQ(textIn(sheet, "updatePrompt.install"), "Downloading…");
    EXPECT_FALSE(findIn(sheet, "updatePrompt.install")->isEnabled());

    clickIn(sheet, findIn(sheet, "updatePrompt.install"));
    QTest::keyClick(sheet, Qt::Key_Return);
    QTest::keyClick(sheet, Qt::Key_Enter);
    EXPECT_EQ(installs.size(), 1u);
    EXPECT_TRUE(sheet->isVisible());

    // A failure leaves the sheet open with the button back, and says why
    // over the sheet, where the user looks.
    finishInstall(InstallError{InstallError::Kind::DownloadFailed});
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(findIn(sheet, "updatePrompt.install")->isEnabled());
    EXPECT_EQ(textIn(sheet, "updatePrompt.install"), "Download & Install");
    EXPECT_TRUE(updates->hasInstallError());
    const ItemDriver onSheet(*sheet);
    EXPECT_TRUE(waitFor([&] { return onSheet.alertTitle() == "Update Failed"; }));
    EXPECT_TRUE(onSheet.pressAlert("OK"));
    EXPECT_FALSE(updates->hasInstallError());
    EXPECT_TRUE(sheet->isVisible());

    // A success closes it: the controller clears the offer.
    clickIn(sheet, findIn(sheet, "updatePrompt.install"));
    ASSERT_EQ(installs.size(), 2u);
    finishInstall(std::nullopt);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_FALSE(updates->showsBadge());
}

// Return and Enter install wherever the focus is in the prompt: on the sheet
// itself, in the notes once clicked (a read-only text, which takes the keys
// of the window's shortcuts while it has the focus) or on a button.
TEST_F(UpdatePresentationTest, ReturnAndEnterInstallWhereverTheFocusIs)
{
    ASSERT_TRUE(showPresentation());
    QQuickWindow* sheet = prompt(kOffer);
    ASSERT_TRUE(sheet);
    const ItemDriver onSheet(*sheet);
    const struct {
        const char* focus;  // nothing: the sheet itself
        bool clicked;       // else reached by Tab
        Qt::Key key;
    } cases[] = {
        {nullptr, false, Qt::Key_Return},
        {"updatePrompt.notes", true, Qt::Key_Return},
        {"updatePrompt.notes", true, Qt::Key_Enter},
        {"updatePrompt.later", false, Qt::Key_Return},
    };
    std::size_t tries = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.focus ? c.focus : "the sheet") + (c.key == Qt::Key_Enter ? ", Enter" : ", Return"));
        if (c.focus && c.clicked)
            clickIn(sheet, findIn(sheet, c.focus));
        else if (c.focus)
            findIn(sheet, c.focus)->forceActiveFocus(Qt::TabFocusReason);
        ASSERT_TRUE(waitFor([&] { return !c.focus || sheet->activeFocusItem() == findIn(sheet, c.focus); }));
        QTest::keyClick(sheet, c.key);
        ASSERT_EQ(installs.size(), ++tries);
        finishInstall(InstallError{InstallError::Kind::DownloadFailed});
        ASSERT_TRUE(waitFor([&] { return onSheet.alertTitle() == "未能安装更新"; }));
        ASSERT_TRUE(onSheet.pressAlert("好"));
        EXPECT_EQ(installs.size(), tries);
    }
}

TEST_F(UpdatePresentationTest, EscapeAndLaterCloseTheSheetWithoutStoppingTheInstall)
{
    ASSERT_TRUE(showPresentation());
    QQuickWindow* sheet = prompt(kOffer);
    ASSERT_TRUE(sheet);
    clickIn(sheet, findIn(sheet, "updatePrompt.install"));
    ASSERT_TRUE(updates->installing());

    // With the focus in the notes too.
    clickIn(sheet, findIn(sheet, "updatePrompt.notes"));
    ASSERT_TRUE(waitFor([&] { return sheet->activeFocusItem() == findIn(sheet, "updatePrompt.notes"); }));
    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_FALSE(updates->hasPromptUpdate());
    EXPECT_TRUE(updates->installing());

    updates->presentPendingIfNeeded();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    EXPECT_EQ(textIn(sheet, "updatePrompt.install"), "正在下载…");
    clickIn(sheet, findIn(sheet, "updatePrompt.later"));
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(updates->installing());
    EXPECT_EQ(installs.size(), 1u);
}

TEST_F(UpdatePresentationTest, TheStatusAlertKeepsItsMessageLanguageWhileTitleAndButtonFollow)
{
    ASSERT_TRUE(showPresentation());
    updates->checkFromSidebar();
    answer(std::nullopt);
    ASSERT_TRUE(updates->hasStatusAlert());
    auto* alert = find<design::AlertPresentation>("update.statusAlert");
    ASSERT_TRUE(alert->shown());
    EXPECT_EQ(alerts()->title(), "检查失败");
    EXPECT_EQ(alerts()->message(), "无法连接更新服务器");
    EXPECT_EQ(alerts()->buttonTexts(), QStringList{"好"});

    language().setCurrent("en");
    EXPECT_EQ(alerts()->title(), "Check Failed");
    EXPECT_EQ(alerts()->message(), "无法连接更新服务器");
    EXPECT_EQ(alerts()->buttonTexts(), QStringList{"OK"});

    activateMainWindow();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(alert->shown());
    EXPECT_FALSE(updates->hasStatusAlert());

    // Up to date, in the language of this check.
    updates->checkFromSidebar();
    answer(AppUpdate{UpdateCheck::localVersion(), QUrl("https://updates.test/a.dmg"), ""});
    ASSERT_TRUE(alert->shown());
    EXPECT_EQ(alerts()->title(), "Update Check");
    EXPECT_EQ(alerts()->message(), "You’re on the latest version");
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(updates->hasStatusAlert());
}

TEST_F(UpdatePresentationTest, TwoQueuedAlertsEachClearOnlyTheirOwnValue)
{
    ASSERT_TRUE(showPresentation());
    QQuickWindow* sheet = prompt(kOffer);
    ASSERT_TRUE(sheet);
    clickIn(sheet, findIn(sheet, "updatePrompt.install"));
    QTest::keyClick(sheet, Qt::Key_Escape);
    // With nothing pending, a check by hand asks the server, which fails
    // while the install still runs; then the install fails too.
    updates->skip(kOffer.version);
    updates->checkFromSidebar();
    answer(std::nullopt);
    finishInstall(InstallError{InstallError::Kind::DownloadFailed});
    ASSERT_TRUE(updates->hasStatusAlert());
    ASSERT_TRUE(updates->hasInstallError());

    auto* status = find<design::AlertPresentation>("update.statusAlert");
    auto* failure = find<design::AlertPresentation>("update.installErrorAlert");
    EXPECT_TRUE(status->shown());
    EXPECT_FALSE(failure->shown());
    EXPECT_EQ(alerts()->pendingCount(), 1);

    activateMainWindow();
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(updates->hasStatusAlert());
    EXPECT_TRUE(updates->hasInstallError());
    EXPECT_TRUE(failure->shown());
    EXPECT_EQ(alerts()->title(), "未能安装更新");
    EXPECT_EQ(alerts()->message(), updates->installError().value_or(QString()));
    EXPECT_FALSE(alerts()->message().isEmpty());

    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(updates->hasInstallError());
    EXPECT_FALSE(failure->shown());
    EXPECT_EQ(alerts()->current(), nullptr);
}

// The prompt in preview mode and the support bar, for pictures.
class UpdatePromptPictures : public SettingsScreenFixture {
};

TEST_F(UpdatePromptPictures, PreviewPromptAndSupportBar)
{
    if (qEnvironmentVariable("VELK_SHOT_DIR").isEmpty())
        GTEST_SKIP() << "pictures only when VELK_SHOT_DIR is set";
    makeUpdates({"-UpdateUIPreview"});
    updates->presentPendingIfNeeded();
    for (const QString& theme : {QStringLiteral("classic"), QStringLiteral("cyber")}) {
        design::ThemeManager::shared().setCurrentRawValue(theme);
        for (const QString& lang : {QStringLiteral("zh-Hans"), QStringLiteral("en")}) {
            language().setCurrent(lang);
            item.reset();
            window.resize(610, 420);
            ASSERT_TRUE(buildSettingsType("UpdatePromptView",
                {{"updates", QVariant::fromValue(updates.get())},
                    {"offer", QVariant::fromValue(*updates->promptUpdate())}}));
            window.resize(610, qCeil(item->implicitHeight()));
            settle();
            shoot(QString("prompt-%1-%2").arg(theme, lang));
            item.reset();
            window.resize(610, 24);
            ASSERT_TRUE(buildSettingsType("SupportInlineBar"));
            settle();
            shoot(QString("supportbar-%1-%2").arg(theme, lang));
            // A failed install, said over the prompt.
            item.reset();
            ASSERT_TRUE(buildSettingsType("UpdatePresentation", {{"updates", QVariant::fromValue(updates.get())}}));
            QQuickWindow* sheet = sheetWindowOf(find<QObject>("updatePrompt.sheet"));
            ASSERT_TRUE(sheet && QTest::qWaitForWindowExposed(sheet));
            updates->install(*updates->promptUpdate());
            finishInstall(InstallError{InstallError::Kind::DownloadFailed});
            // Pictures only: the alert fades in for this long.
            QTest::qWait(300);
            sheet->grabWindow().save(
                QDir(qEnvironmentVariable("VELK_SHOT_DIR")).filePath(QString("installFailed-%1-%2.png").arg(theme, lang)));
            updates->dismissInstallError();
        }
    }
    design::ThemeManager::shared().setCurrentRawValue("classic");
}

} // namespace
} // namespace velk::test
