#pragma once

#include <QDateTime>
#include <QPointer>
#include <functional>
#include <memory>

class QObject;

namespace velk::platform::core {

// Wall-clock time, a monotonic clock and one-shot delays. The manual double
// (tests/support) advances by hand and fires due callbacks in time order.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Monotonic milliseconds since an arbitrary origin.
    virtual qint64 monotonicMs() const = 0;
    // Calls `fn` on `context`'s thread after `seconds`; dropped if `context`
    // is destroyed first.
    virtual void callAfter(double seconds, QObject* context, std::function<void()> fn) = 0;

    static std::shared_ptr<Clock> createDefault();
};

// Seconds since boot on the kernel's own uptime clock (the one /proc/uptime
// reads, counting suspended time); 0 when it cannot be read. Cheap enough to
// read once per process of a process list.
double secondsSinceBoot();

} // namespace velk::platform::core
