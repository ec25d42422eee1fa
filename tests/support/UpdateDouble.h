#pragma once

#include "engine/language/LanguageManager.h"
#include "services/update/UpdateController.h"
#include "support/ManualClock.h"
#include "support/ManualExecutor.h"
#include "support/MemoryDefaults.h"

#include <memory>
#include <utility>

namespace velk::test {

// The real update controller over doubles: no server is asked; every check
// waits until the test answers it, installs are only recorded. Its own
// executor queues the start-up check, so the test decides when the event
// loop "turns" for it.
class UpdateDouble {
public:
    explicit UpdateDouble(std::shared_ptr<platform::core::Executor> executor = std::make_shared<ManualExecutor>())
        : executor(std::move(executor))
    {
        UpdateController::Dependencies deps;
        deps.defaults = defaults;
        deps.clock = clock;
        deps.executor = this->executor;
        deps.language = &language;
        deps.fetch = [this](QObject*, UpdateCheck::OfferHandler handler, UpdateCheck::Priority) {
            ++fetches;
            pendingFetch = std::move(handler);
        };
        deps.install = [this](const AppUpdate&, QObject*, UpdateCheck::InstallHandler) {
            ++installs;
            return true;
        };
        controller = std::make_unique<UpdateController>(std::move(deps));
    }

    // Ends the running check with `offer` (none: the server was not reached).
    bool answer(std::optional<AppUpdate> offer)
    {
        if (!pendingFetch)
            return false;
        std::exchange(pendingFetch, {})(std::move(offer));
        return true;
    }

    // Lets the queued start-up check begin (with a manual executor).
    void turn()
    {
        if (auto* manual = dynamic_cast<ManualExecutor*>(executor.get()))
            manual->runAll();
    }

    // A version newer than this build's.
    static AppUpdate newer() { return {QStringLiteral("999.0"), QUrl("https://updates.test/download/n.dmg"), {}}; }

    std::shared_ptr<MemoryDefaults> defaults = std::make_shared<MemoryDefaults>();
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<platform::core::Executor> executor;
    language::LanguageManager language{defaults};
    int fetches = 0;
    int installs = 0;
    UpdateCheck::OfferHandler pendingFetch;
    std::unique_ptr<UpdateController> controller;

    UpdateController* operator->() const { return controller.get(); }
    UpdateController& operator*() const { return *controller; }
};

} // namespace velk::test
