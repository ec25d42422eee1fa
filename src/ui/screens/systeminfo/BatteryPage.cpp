#include "ui/screens/systeminfo/BatteryPage.h"

#include "platform/core/Clock.h"
#include "platform/core/ServiceRegistry.h"

namespace velk::screens {

BatteryPage::BatteryPage(QObject* parent)
    : QObject(parent)
{
    refresh();
}

void BatteryPage::setShown(bool shown)
{
    if (m_shown == shown)
        return;
    m_shown = shown;
    // A new round for each showing; hiding ends the running one.
    ++m_round;
    if (shown)
        poll(m_round);
    emit shownChanged();
}

void BatteryPage::poll(quint64 round)
{
    if (!m_shown || round != m_round)
        return;
    refresh();
    platform::core::service<platform::core::Clock>()->callAfter(pollSeconds, this, [this, round] { poll(round); });
}

void BatteryPage::refresh()
{
    m_status = monitor::BatteryService::current();
    m_charge.update(m_status ? inforows::batteryCharge(*m_status) : QList<InfoRow>());
    m_health.update(m_status ? inforows::batteryHealth(*m_status) : QList<InfoRow>());
    m_model.update(m_status ? inforows::batteryModel(*m_status) : QList<InfoRow>());
    emit readingChanged();
}

} // namespace velk::screens
