#include "engine/sensors/HidSensors.h"

#include "platform/core/Clock.h"
#include "platform/core/ServiceRegistry.h"

namespace velk::sensors {

namespace {
constexpr double kSteadyInterval = 60.0;
constexpr double kMissingInterval = 5.0;

double uptimeSeconds()
{
    return static_cast<double>(platform::core::service<platform::core::Clock>()->monotonicMs()) / 1000.0;
}
} // namespace

HIDSensorSource::~HIDSensorSource()
{
    reset();
}

void HIDSensorSource::reset()
{
    m_services.reset();
    m_client.reset();
    m_lastDiscovery = 0;
    m_missingEvents = false;
}

std::map<QString, double> HIDSensorSource::readPage(int page, int usage, int type)
{
    const double now = uptimeSeconds();
    if (!m_client) {
        m_client = platform::core::service<platform::sensors::HidEventSystem>()->createClient();
        if (!m_client)
            return {};
        m_client->setMatching(page, usage);
    }
    if (m_services) {
        const double interval = m_missingEvents ? kMissingInterval : kSteadyInterval;
        if (!(now - m_lastDiscovery < interval))
            m_services.reset();
    }
    if (!m_services) {
        m_services = m_client->copyServices();
        m_lastDiscovery = now;
        if (m_services->empty()) {
            reset();
            return {};
        }
    }

    m_missingEvents = false;
    std::map<QString, double> readings;
    for (const auto& service : *m_services) {
        const std::optional<QString> name = service->product();
        const std::optional<double> value = service->eventValue(type);
        if (!value) {
            m_missingEvents = true;
            continue;
        }
        if (name)
            readings[*name] = *value;
    }
    if (readings.empty())
        reset();
    return readings;
}

HIDSensorSources& sensorSources()
{
    static HIDSensorSources* const sources = new HIDSensorSources;
    return *sources;
}

std::map<QString, double> AppleSiliconSensors(int page, int usage, int type)
{
    HIDSensorSources& sources = sensorSources();
    std::lock_guard lock(sources.lock);
    const QString key = QString::number(page) + u':' + QString::number(usage);
    auto& reader = sources.readers[key];
    if (!reader)
        reader = std::make_unique<HIDSensorSource>();
    return reader->readPage(page, usage, type);
}

void AppleSiliconSensorsReset()
{
    HIDSensorSources& sources = sensorSources();
    std::lock_guard lock(sources.lock);
    sources.readers.clear();
}

} // namespace velk::sensors
