#pragma once

#include "platform/sensors/HidEventSystem.h"

#include <QString>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace velk::sensors {

// The temperature services of one HID usage page and usage. It keeps its
// client and its list of services between reads and copies the list again
// after 60 seconds, or after 5 seconds while some service gave no event.
// Not locked itself: the source table serialises every use.
class HIDSensorSource {
public:
    HIDSensorSource() = default;
    ~HIDSensorSource();
    HIDSensorSource(const HIDSensorSource&) = delete;
    HIDSensorSource& operator=(const HIDSensorSource&) = delete;

    // Product name to the first field of its event of `type`; empty when
    // nothing could be read.
    std::map<QString, double> readPage(int page, int usage, int type);
    // Drops the service list and the client.
    void reset();

private:
    std::shared_ptr<platform::sensors::HidEventClient> m_client;
    std::optional<std::vector<std::shared_ptr<platform::sensors::HidService>>> m_services;
    double m_lastDiscovery = 0;
    bool m_missingEvents = false;
};

// The process-wide table of readers, keyed "page:usage", created once; its
// mutex serialises every HID read.
struct HIDSensorSources {
    std::mutex lock;
    std::map<QString, std::unique_ptr<HIDSensorSource>> readers;
};
HIDSensorSources& sensorSources();

// The readings of every service of `page` and `usage` (one reader per pair,
// kept for the run).
std::map<QString, double> AppleSiliconSensors(int page, int usage, int type);
// Drops every reader with its client and services.
void AppleSiliconSensorsReset();

} // namespace velk::sensors
