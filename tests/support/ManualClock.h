#pragma once

#include "platform/core/Clock.h"

#include <QObject>
#include <QPointer>
#include <algorithm>
#include <vector>

namespace velk::test {

// Clock double: time moves only through advance(), which fires the delayed
// calls that fall due, earliest first.
class ManualClock final : public platform::core::Clock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2026, 12, 8), QTime(12, 0), Qt::UTC))
        : m_now(std::move(start))
    {
    }

    QDateTime now() const override { return m_now.addMSecs(m_elapsedMs); }
    qint64 monotonicMs() const override { return m_elapsedMs; }

    void callAfter(double seconds, QObject* context, std::function<void()> fn) override
    {
        const qint64 due = m_elapsedMs + static_cast<qint64>(seconds * 1000.0 + 0.5);
        m_pending.push_back({due, m_sequence++, QPointer<QObject>(context), std::move(fn)});
        m_delays.push_back(seconds);
    }

    void advance(double seconds)
    {
        const qint64 target = m_elapsedMs + static_cast<qint64>(seconds * 1000.0 + 0.5);
        for (;;) {
            auto next = std::min_element(m_pending.begin(), m_pending.end(), [](const auto& a, const auto& b) {
                return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
            });
            if (next == m_pending.end() || next->due > target)
                break;
            Pending p = std::move(*next);
            m_pending.erase(next);
            m_elapsedMs = std::max(m_elapsedMs, p.due);
            if (p.context)
                p.fn();
        }
        m_elapsedMs = target;
    }

    void setNow(QDateTime now) { m_now = std::move(now); m_elapsedMs = 0; }
    std::size_t pendingCalls() const { return m_pending.size(); }
    // Every delay ever requested, in request order.
    const std::vector<double>& requestedDelays() const { return m_delays; }

private:
    struct Pending {
        qint64 due;
        quint64 sequence;
        QPointer<QObject> context;
        std::function<void()> fn;
    };
    QDateTime m_now;
    qint64 m_elapsedMs = 0;
    quint64 m_sequence = 0;
    std::vector<Pending> m_pending;
    std::vector<double> m_delays;
};

} // namespace velk::test
