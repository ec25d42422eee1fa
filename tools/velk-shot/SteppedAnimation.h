#pragma once

#include <QAnimationDriver>
#include <QCoreApplication>

namespace velk::shot {

// Drives every animation on a clock of its own that only moves when told,
// so two runs see the same frames: each step moves it by a fixed amount.
class SteppedAnimationDriver final : public QAnimationDriver {
public:
    qint64 elapsed() const override { return m_elapsed; }

    void step(qint64 milliseconds)
    {
        m_elapsed += milliseconds;
        advance();
    }

private:
    qint64 m_elapsed = 0;
};

// Lets `milliseconds` of animation time pass in fixed steps, handling the
// events (layout, polish, loading, queued calls) between steps.
inline void settle(SteppedAnimationDriver& driver, int milliseconds)
{
    constexpr int step = 16;
    for (int passed = 0; passed < milliseconds; passed += step) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        driver.step(step);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace velk::shot
