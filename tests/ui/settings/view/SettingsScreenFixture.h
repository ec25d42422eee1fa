#pragma once

#include "engine/language/LanguageManager.h"
#include "platform/core/ServiceRegistry.h"
#include "services/update/UpdateController.h"
#include "support/FakeWorkspace.h"
#include "support/ManualClock.h"
#include "support/ManualExecutor.h"
#include "support/MemoryDefaults.h"
#include "support/ui/ScreenFixture.h"
#include "ui/design/ThemeManager.h"

#include <QQuickWindow>

namespace velk::test {

// The defaults the program's one language manager writes to in this test
// run. Made, with the manager, before anything else asks for the manager.
inline std::shared_ptr<MemoryDefaults> languageDefaults()
{
    static const std::shared_ptr<MemoryDefaults> defaults = [] {
        auto made = std::make_shared<MemoryDefaults>();
        platform::core::ScopedService<platform::settings::UserDefaults> scoped(made);
        language::LanguageManager::shared();
        return made;
    }();
    return defaults;
}

// A view of the Velk.Settings module in a shown window, over an update
// controller whose checks and installs wait for the test to answer them, a
// recording workspace and defaults in memory. Starts in Chinese.
class SettingsScreenFixture : public ScreenFixture {
protected:
    platform::core::ScopedService<platform::desktop::Workspace> workspace{std::make_shared<FakeWorkspace>()};
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    int fetches = 0;
    UpdateCheck::OfferHandler pendingFetch;
    std::vector<AppUpdate> installs;
    UpdateCheck::InstallHandler pendingInstall;
    std::unique_ptr<UpdateController> updates;

    SettingsScreenFixture()
    {
        languageDefaults();
        language().setCurrent(QStringLiteral("zh-Hans"));
    }

    ~SettingsScreenFixture() override
    {
        item.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        language().setCurrent(QStringLiteral("zh-Hans"));
    }

    static language::LanguageManager& language() { return language::LanguageManager::shared(); }
    FakeWorkspace& fakeWorkspace() { return static_cast<FakeWorkspace&>(*workspace); }

    UpdateController::Dependencies doubles(QStringList arguments = {})
    {
        UpdateController::Dependencies deps;
        deps.defaults = defaults;
        deps.clock = clock;
        deps.executor = executor;
        deps.language = &language();
        deps.arguments = std::move(arguments);
        deps.fetch = [this](QObject*, UpdateCheck::OfferHandler handler, UpdateCheck::Priority) {
            ++fetches;
            pendingFetch = std::move(handler);
        };
        deps.install = [this](const AppUpdate& update, QObject*, UpdateCheck::InstallHandler handler) {
            installs.push_back(update);
            pendingInstall = std::move(handler);
            return true;
        };
        return deps;
    }

    // A controller whose start-up check has ended without an offer.
    UpdateController& makeUpdates(QStringList arguments = {})
    {
        return makeUpdates(doubles(std::move(arguments)));
    }

    UpdateController& makeUpdates(UpdateController::Dependencies deps)
    {
        updates = std::make_unique<UpdateController>(std::move(deps));
        executor->runAll();
        if (pendingFetch)
            answer(std::nullopt);
        return *updates;
    }

    void answer(std::optional<AppUpdate> offer)
    {
        ASSERT_TRUE(pendingFetch) << "no check is waiting";
        std::exchange(pendingFetch, {})(std::move(offer));
    }

    void finishInstall(std::optional<InstallError> error)
    {
        ASSERT_TRUE(pendingInstall) << "no install is waiting";
        std::exchange(pendingInstall, {})(std::move(error));
    }

    QQuickItem* buildSettingsType(const QByteArray& type, QVariantMap properties = {})
    {
        return build(type, properties, "import Velk.Design\nimport Velk.Settings\n");
    }

    // Whether `name` is drawn: it and every item above it are visible.
    bool shows(const char* name) const
    {
        QQuickItem* target = find(name);
        return target && target->isVisible();
    }
};

} // namespace velk::test
