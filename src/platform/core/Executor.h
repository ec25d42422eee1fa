#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>

namespace velk::platform::core {

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

    // Runs `fn` on the main thread unless the object behind `guard` is gone
    // by then. Take the guard on the main thread, while the object is alive
    // (before handing work to the background), never from a raw pointer on a
    // worker thread.
    template <class T>
    void toMain(const QPointer<T>& guard, std::function<void()> fn)
    {
        postToMain([guard, fn = std::move(fn)] {
            if (!guard.isNull())
                fn();
        });
    }
    template <class T>
    void toMain(T* raw, std::function<void()> fn) = delete;

    // Runs `fn` on the main thread, in the order posted.
    virtual void postToMain(std::function<void()> fn) = 0;

    static std::shared_ptr<Executor> createDefault();
};

} // namespace velk::platform::core
