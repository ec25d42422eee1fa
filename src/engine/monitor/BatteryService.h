#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <optional>

namespace velk::monitor {

// The internal battery's state.
struct BatteryStatus {
    int percent = 0;
    bool charging = false;
    bool externalPower = false;
    // Figures many batteries do not report; absent then.
    std::optional<int> cycles;
    std::optional<int> designCycles;
    std::optional<int> designmAh;
    std::optional<int> fullmAh;
    std::optional<int> healthPercent;
    std::optional<QString> serial;
    std::optional<QString> deviceName;
    std::optional<QString> packLot;
    std::optional<QString> pcbLot;
    std::optional<QString> firmware;
    std::optional<QString> hardwareRevision;
    std::optional<QString> cellRevision;
    bool belowWarning = false;
    bool fullyCharged = false;
    std::optional<double> powerWatts;
    double voltageV = 0;
    double amperageA = 0;            // negative while discharging
    std::optional<QString> adapterName;
    std::optional<int> adapterWatts;
    std::optional<int> minutesRemaining;

    // "service" below 80 percent health, else "normal"; absent when the
    // health is unknown.
    std::optional<QString> conditionKey() const;

    friend bool operator==(const BatteryStatus&, const BatteryStatus&) = default;
};

class BatteryService {
public:
    // Absent without a battery or when its charge is unknown.
    static std::optional<BatteryStatus> current();
    // Builds the status from the battery's property set.
    static std::optional<BatteryStatus> parse(const QVariantMap& properties);

private:
    static std::optional<int> integer(const QVariant& value);
    static bool boolean(const QVariant& value);
    static std::optional<QString> modelCode(const QVariant& value, int at, int width, int digits);
};

} // namespace velk::monitor
