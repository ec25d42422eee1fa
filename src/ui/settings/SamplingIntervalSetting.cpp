#include "ui/settings/SamplingIntervalSetting.h"

#include "engine/monitor/SystemMonitor.h"
#include "common/format/Formatting.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/settings/UserDefaults.h"

#include <algorithm>
#include <cmath>

namespace velk::settings {
namespace {

const QString kKey = QStringLiteral("samplingInterval");

} // namespace

SamplingIntervalSetting::SamplingIntervalSetting(QObject* parent)
    : QObject(parent)
    , m_value(std::clamp(monitor::SystemMonitor::storedInterval(), kMinimum, kMaximum))
{
}

void SamplingIntervalSetting::choose(double seconds)
{
    if (!std::isfinite(seconds))
        return;
    const double clamped = std::clamp(seconds, kMinimum, kMaximum);
    const double stepped = kMinimum + std::round((clamped - kMinimum) / kStep) * kStep;
    platform::core::service<platform::settings::UserDefaults>()->setNumber(kKey, stepped);
    if (stepped == m_value)
        return;
    m_value = stepped;
    emit valueChanged();
}

QString SamplingIntervalSetting::label(double seconds)
{
    return fmt::fixed(seconds, 1) + u's';
}

} // namespace velk::settings
