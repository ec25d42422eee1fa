#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace velk::platform::sensors {

// One service of the HID event system (a sensor), as a client lists it.
class HidService {
public:
    virtual ~HidService() = default;
    // The service's "Product" property; nothing when it has none.
    virtual std::optional<QString> product() const = 0;
    // The first field of the service's current event of `eventType`;
    // nothing when the service gives no such event.
    virtual std::optional<double> eventValue(int eventType) const = 0;
};

// A client of the event system matching one usage page and usage.
class HidEventClient {
public:
    virtual ~HidEventClient() = default;
    virtual void setMatching(int usagePage, int usage) = 0;
    // The services matching now; empty when there are none.
    virtual std::vector<std::shared_ptr<HidService>> copyServices() = 0;
};

// The HID event system's sensors. Linux has no such system: its backend
// creates no client, as the platform does when the system is missing.
class HidEventSystem {
public:
    virtual ~HidEventSystem() = default;
    // A new client; null when none can be created.
    virtual std::shared_ptr<HidEventClient> createClient() = 0;

    static std::shared_ptr<HidEventSystem> createDefault();
};

} // namespace velk::platform::sensors
