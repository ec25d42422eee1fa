#include "services/update/UpdateController.h"

#include "engine/language/LanguageManager.h"
#include "support/ManualClock.h"
#include "support/ManualExecutor.h"
#include "support/MemoryDefaults.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>
#include <set>

namespace velk {
namespace {

using test::ManualClock;
using test::ManualExecutor;
using test::MemoryDefaults;

const AppUpdate kNewer{"99.1", QUrl("https://updates.test/download/a.dmg"), "notes"};
const AppUpdate kNewest{"99.2", QUrl("https://updates.test/download/b.dmg"), ""};

AppUpdate current()
{
    return {UpdateCheck::localVersion(), QUrl("https://updates.test/download/c.dmg"), ""};
}

// A controller over doubles: fetches and installs wait until the test
// answers them.
class ControllerTest : public testing::Test {
protected:
    std::unique_ptr<UpdateController> make(QStringList arguments = {})
    {
        UpdateController::Dependencies deps;
        deps.defaults = defaults;
        deps.clock = clock;
        deps.executor = executor;
        deps.language = &lang;
        deps.arguments = std::move(arguments);
        deps.fetch = [this](QObject*, UpdateCheck::OfferHandler handler, UpdateCheck::Priority priority) {
            ++fetches;
            priorities.push_back(priority);
            pendingFetch = std::move(handler);
        };
        deps.install = [this](const AppUpdate& update, QObject*, UpdateCheck::InstallHandler handler) {
            installs.push_back(update);
            pendingInstall = std::move(handler);
            return true;
        };
        return std::make_unique<UpdateController>(std::move(deps));
    }

    // Creates a controller and lets its start-up check end with `offer`.
    std::unique_ptr<UpdateController> started(std::optional<AppUpdate> offer)
    {
        auto controller = make();
        executor->runAll();
        answer(std::move(offer));
        return controller;
    }

    void answer(std::optional<AppUpdate> offer)
    {
        ASSERT_TRUE(pendingFetch) << "no fetch is waiting";
        std::exchange(pendingFetch, {})(std::move(offer));
    }

    void finishInstall(std::optional<InstallError> error)
    {
        ASSERT_TRUE(pendingInstall) << "no install is waiting";
        std::exchange(pendingInstall, {})(std::move(error));
    }

    std::shared_ptr<MemoryDefaults> defaults = std::make_shared<MemoryDefaults>();
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    language::LanguageManager lang{defaults};
    int fetches = 0;
    std::vector<UpdateCheck::Priority> priorities;
    UpdateCheck::OfferHandler pendingFetch;
    std::vector<AppUpdate> installs;
    UpdateCheck::InstallHandler pendingInstall;
};

TEST_F(ControllerTest, ChecksOnceAfterStartThenEveryFourHoursAfterTheLastCheckEnded)
{
    auto controller = make();
    EXPECT_EQ(fetches, 0) << "the first check is queued, not run inside the constructor";
    executor->runAll();
    EXPECT_EQ(fetches, 1);
    EXPECT_TRUE(controller->isChecking());
    answer(std::nullopt);
    EXPECT_FALSE(controller->isChecking());

    clock->advance(14399);
    EXPECT_EQ(fetches, 1);
    clock->advance(1);
    EXPECT_EQ(fetches, 2);
    // The next wait starts only once this check is over.
    clock->advance(20000);
    EXPECT_EQ(fetches, 2);
    answer(kNewer);
    clock->advance(14400);
    EXPECT_EQ(fetches, 3);
    EXPECT_EQ(clock->requestedDelays(), (std::vector<double>{14400, 14400}));
}

TEST_F(ControllerTest, TimedCheckDuringAManualOneIsDroppedAndTheLoopGoesOn)
{
    auto controller = started(std::nullopt);
    controller->checkFromSidebar();
    EXPECT_EQ(fetches, 2);
    clock->advance(14400);
    EXPECT_EQ(fetches, 2) << "a check is already running";
    answer(std::nullopt);
    clock->advance(14400);
    EXPECT_EQ(fetches, 3);
    using P = UpdateCheck::Priority;
    EXPECT_EQ(priorities, (std::vector<P>{P::Background, P::UserInitiated, P::Background}))
        << "only the check the user asked for runs ahead of other work";
}

TEST_F(ControllerTest, DestroyedControllerStopsItsLoop)
{
    auto controller = started(std::nullopt);
    controller.reset();
    clock->advance(14400);
    EXPECT_EQ(fetches, 1);
}

// What each kind of check does with each answer, in both languages.
TEST_F(ControllerTest, OutcomeTable)
{
    enum class Offer { None, Newer, Current };
    enum class Kind { Automatic, ManualWithLanguage, ManualWithoutLanguage };
    struct Row {
        Kind kind;
        Offer offer;
        bool pendingBefore;
        // Expected afterwards.
        bool pending;
        bool prompt;
        std::optional<UpdateStatusAlert::Kind> alert;
    };
    const Row rows[] = {
        {Kind::Automatic, Offer::None, true, true, false, {}},
        {Kind::Automatic, Offer::Newer, false, true, false, {}},
        {Kind::Automatic, Offer::Current, true, false, false, {}},
        {Kind::ManualWithLanguage, Offer::None, true, true, false, UpdateStatusAlert::Kind::Failed},
        {Kind::ManualWithLanguage, Offer::Newer, false, true, true, {}},
        {Kind::ManualWithLanguage, Offer::Current, true, false, false, UpdateStatusAlert::Kind::UpToDate},
        {Kind::ManualWithoutLanguage, Offer::None, true, true, false, {}},
        {Kind::ManualWithoutLanguage, Offer::Newer, false, true, false, {}},
        {Kind::ManualWithoutLanguage, Offer::Current, true, false, false, {}},
    };
    const std::pair<const char*, std::pair<const char*, const char*>> languages[] = {
        {"zh-Hans", {"无法连接更新服务器", "当前已是最新版本"}},
        {"en", {"Couldn’t reach the update server", "You’re on the latest version"}},
    };
    int index = 0;
    for (const auto& [code, texts] : languages) {
        lang.setCurrent(code);
        for (const Row& row : rows) {
            SCOPED_TRACE(testing::Message() << code << " row " << (index++ % std::size(rows)));
            auto controller = started(row.pendingBefore ? std::optional<AppUpdate>(kNewer) : std::nullopt);
            ASSERT_EQ(controller->showsBadge(), row.pendingBefore);

            controller->check(row.kind == Kind::Automatic, row.kind == Kind::ManualWithLanguage ? &lang : nullptr);
            answer(row.offer == Offer::None ? std::nullopt
                   : row.offer == Offer::Newer ? std::optional<AppUpdate>(kNewest)
                                               : std::optional<AppUpdate>(current()));

            EXPECT_EQ(controller->showsBadge(), row.pending);
            if (row.pending && row.offer == Offer::Newer) {
                EXPECT_EQ(controller->pendingUpdate(), kNewest);
            }
            EXPECT_EQ(controller->hasPromptUpdate(), row.prompt);
            if (row.prompt) {
                EXPECT_EQ(controller->promptUpdate(), kNewest);
            }
            ASSERT_EQ(controller->statusAlert().has_value(), row.alert.has_value());
            if (row.alert) {
                EXPECT_EQ(controller->statusAlert()->kind, *row.alert);
                const char* expected = *row.alert == UpdateStatusAlert::Kind::Failed ? texts.first : texts.second;
                EXPECT_EQ(controller->statusAlert()->message, QString::fromUtf8(expected));
                EXPECT_EQ(controller->statusAlert()->id(), controller->statusAlert()->message);
            }
            EXPECT_FALSE(controller->isChecking());
        }
    }
}

TEST_F(ControllerTest, StatusAlertKeepsTheLanguageOfItsCheckWhileItsTitleFollowsEither)
{
    lang.setCurrent("en");
    auto controller = started(std::nullopt);
    controller->checkFromSettings();
    answer(std::nullopt);
    lang.setCurrent("zh-Hans");
    const UpdateStatusAlert alert = *controller->statusAlert();
    EXPECT_EQ(alert.message, QString::fromUtf8("Couldn’t reach the update server"));
    EXPECT_EQ(alert.titleZh(), QString::fromUtf8("检查失败"));
    EXPECT_EQ(alert.titleEn(), "Check Failed");
    EXPECT_EQ(UpdateStatusAlert::upToDate("x").titleZh(), QString::fromUtf8("检查更新"));
    EXPECT_EQ(UpdateStatusAlert::upToDate("x").titleEn(), "Update Check");

    controller->dismissStatusAlert();
    EXPECT_FALSE(controller->hasStatusAlert());
}

TEST_F(ControllerTest, ManualCheckWhileTheStartupCheckRunsDoesNothing)
{
    auto controller = make();
    executor->runAll();
    controller->check(false, &lang);
    EXPECT_EQ(fetches, 1);
    answer(std::nullopt);
    EXPECT_FALSE(controller->hasStatusAlert()) << "the start-up check was automatic";
}

TEST_F(ControllerTest, SkippedVersionHidesTheBadgeButAManualCheckStillOffersIt)
{
    defaults->seed("skippedUpdateVersion", kNewer.version);
    auto controller = started(kNewer);
    EXPECT_FALSE(controller->showsBadge());

    controller->checkFromSidebar();
    EXPECT_EQ(fetches, 2) << "nothing pending: the sidebar asks the server";
    answer(kNewer);
    EXPECT_EQ(controller->promptUpdate(), kNewer);
    EXPECT_FALSE(controller->showsBadge());

    // A later release lights the badge again.
    controller->check(true, nullptr);
    answer(kNewest);
    EXPECT_EQ(controller->pendingUpdate(), kNewest);
}

TEST_F(ControllerTest, SkipStoresTheVersionAndComparesExactText)
{
    const AppUpdate written{"99.1.0", kNewer.url, ""};
    auto controller = started(written);
    controller->presentPendingIfNeeded();
    ASSERT_TRUE(controller->hasPromptUpdate());

    controller->skip("99.1");
    EXPECT_EQ(defaults->writesTo("skippedUpdateVersion"), (QVariantList{"99.1"}));
    EXPECT_TRUE(controller->showsBadge()) << "99.1 does not hide an offer written 99.1.0";
    EXPECT_FALSE(controller->hasPromptUpdate());

    controller->skip("99.1.0");
    EXPECT_FALSE(controller->showsBadge());
    controller->check(true, nullptr);
    answer(written);
    EXPECT_FALSE(controller->showsBadge());
}

TEST_F(ControllerTest, PendingUpdateOpensThePromptWithoutAskingTheServer)
{
    auto controller = started(kNewer);
    controller->checkFromSidebar();
    EXPECT_EQ(controller->promptUpdate(), kNewer);
    EXPECT_EQ(controller->origin(), UpdateController::Sidebar);
    controller->dismissPrompt();
    controller->checkFromSettings(lang);
    EXPECT_EQ(controller->promptUpdate(), kNewer);
    EXPECT_EQ(controller->origin(), UpdateController::Settings) << "the answer goes where it was asked for";
    EXPECT_EQ(fetches, 1);
    EXPECT_TRUE(controller->showsBadge()) << "closing the prompt leaves the update pending";
    controller->presentPendingIfNeeded();
    EXPECT_EQ(controller->origin(), UpdateController::Sidebar);
}

TEST_F(ControllerTest, PreviewShowsTheSampleFromTheStartAndKeepsIt)
{
    for (int way = 0; way < 2; ++way) {
        test::ScopedEnv variable("VELK_UPDATE_UI_PREVIEW", way == 1 ? QByteArray("1") : QByteArray());
        auto controller = make(way == 0 ? QStringList{"velkclean", "-UpdateUIPreview"} : QStringList{"velkclean"});
        ASSERT_TRUE(controller->showsBadge());
        const AppUpdate sample = *controller->pendingUpdate();
        EXPECT_EQ(sample.version, "1.3.0");
        EXPECT_EQ(sample.url.path(), "/download/Velk-Clean-Mac-1.0.2-arm64.dmg");
        EXPECT_EQ(sample.notes, QString::fromUtf8("• 应用内自动检查更新（每 4 小时）\n• 侧边栏版本号荧光点提示\n"
                                                  "• 设置页手动检查，可查看更新说明\n• 支持跳过指定版本"));
        executor->runAll();
        answer(kNewest);
        EXPECT_EQ(controller->pendingUpdate(), sample) << "the sample wins over any offer";
        controller->dismissPrompt();
        controller->check(false, &lang);
        answer(current());
        EXPECT_EQ(controller->pendingUpdate(), sample) << "an up-to-date answer keeps the sample";
        EXPECT_TRUE(controller->hasStatusAlert());
    }
    for (const QByteArray& value : {QByteArray("true"), QByteArray("0"), QByteArray("")}) {
        test::ScopedEnv variable("VELK_UPDATE_UI_PREVIEW", value);
        EXPECT_FALSE(make()->showsBadge()) << value.constData();
    }
}

TEST_F(ControllerTest, SuccessfulInstallClosesThePromptAndClearsTheBadge)
{
    auto controller = started(kNewer);
    controller->presentPendingIfNeeded();
    controller->install(kNewer);
    EXPECT_TRUE(controller->installing());
    controller->install(kNewer);
    EXPECT_EQ(installs.size(), 1u) << "a second install while one runs is ignored";
    finishInstall(std::nullopt);
    EXPECT_FALSE(controller->installing());
    EXPECT_FALSE(controller->hasPromptUpdate());
    EXPECT_FALSE(controller->showsBadge());
    EXPECT_FALSE(controller->hasInstallError());
}

TEST_F(ControllerTest, FailedInstallShowsItsKindInTheLanguageOfTheMomentAndKeepsThePrompt)
{
    auto controller = started(kNewer);
    controller->presentPendingIfNeeded();
    for (const char* code : {"en", "zh-Hans"}) {
        lang.setCurrent(code);
        controller->install(kNewer);
        finishInstall(InstallError{InstallError::Kind::ImageToolUnavailable, "errno text"});
        const InstallError expected{InstallError::Kind::ImageToolUnavailable, {}};
        EXPECT_EQ(*controller->installError(),
                  QString(code) == "en" ? expected.descriptionEn() : expected.descriptionZh());
        EXPECT_FALSE(controller->installError()->contains("errno"));
        EXPECT_FALSE(controller->installing());
        EXPECT_TRUE(controller->hasPromptUpdate());
        EXPECT_TRUE(controller->showsBadge());
        controller->dismissInstallError();
        EXPECT_FALSE(controller->hasInstallError());
    }
}

TEST(InstallErrorTexts, EveryKindHasItsOwnTextInBothLanguages)
{
    using K = InstallError::Kind;
    std::set<QString> seen;
    for (K kind : {K::InsecureAddress, K::DownloadFailed, K::BadResponse, K::ImageTooLarge, K::UnsafeWorkFolder,
                   K::InstallInProgress, K::FileOperationFailed, K::ImageToolUnavailable, K::ImageToolFailed,
                   K::NoApplicationOnImage, K::ScriptLaunchFailed}) {
        const InstallError error{kind, {}};
        EXPECT_FALSE(error.descriptionZh().isEmpty());
        EXPECT_FALSE(error.descriptionEn().contains('\'')) << "English texts use the typographic apostrophe";
        EXPECT_NE(error.descriptionZh(), error.descriptionEn());
        EXPECT_TRUE(seen.insert(error.descriptionEn()).second) << error.kindName().toStdString();
        EXPECT_TRUE(seen.insert(error.descriptionZh()).second) << error.kindName().toStdString();
    }
}

} // namespace
} // namespace velk
