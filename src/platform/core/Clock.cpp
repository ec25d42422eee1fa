#include "platform/core/Clock.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cmath>

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

} // namespace velk::platform::core
