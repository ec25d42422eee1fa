#include "platform/core/Clock.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cmath>
#include <time.h>

namespace velk::platform::core {
namespace {

class SystemClock final : public Clock {
public:
    SystemClock() { m_timer.start(); }

    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return m_timer.elapsed(); }

    void callAfter(double seconds, QObject* context, std::function<void()> fn) override
    {
        if (!context)
            return;
        const double ms = std::isfinite(seconds) ? std::clamp(seconds * 1000.0, 0.0, 2.0e9) : 0.0;
        QTimer::singleShot(static_cast<int>(std::lround(ms)), context, std::move(fn));
    }

private:
    QElapsedTimer m_timer;
};

} // namespace

std::shared_ptr<Clock> Clock::createDefault()
{
    return std::make_shared<SystemClock>();
}

double secondsSinceBoot()
{
    timespec ts {};
    if (::clock_gettime(CLOCK_BOOTTIME, &ts) != 0)
        return 0;
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

} // namespace velk::platform::core
