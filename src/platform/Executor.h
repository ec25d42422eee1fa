#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>

namespace velk::platform {

// Priorities of background work, from most to least urgent. The Linux
// backend runs each on its own pool whose threads carry a matching nice value.
enum class Priority { UserInitiated, Utility, Background };

// A shared cancellation flag handed to background work.
using CancelToken = std::shared_ptr<std::atomic_bool>;
inline CancelToken makeCancelToken() { return std::make_shared<std::atomic_bool>(false); }

// Runs background work and hands results back to the main thread.
class Executor {
public:
    virtual ~Executor() = default;

    // Runs `work` on a background thread at `priority`.
    virtual void run(Priority priority, std::function<void()> work) = 0;

    // Runs `fn` on `guard`'s thread (the main thread for every main-thread
    // object) unless `guard` has been destroyed by then.
    virtual void toMain(QObject* guard, std::function<void()> fn) = 0;

    static std::shared_ptr<Executor> createDefault();
};

} // namespace velk::platform
