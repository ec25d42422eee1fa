#pragma once

#include <QtGlobal>
#include <optional>

namespace velk::sensors {

// A fan's control mode as its mode byte holds it.
enum class FanMode : int {
    automatic = 0,
    forced = 1,
    auto3 = 3,
};

// The mode of a raw value: 0, 1 and 3; nothing for any other.
inline std::optional<FanMode> fanModeFromRaw(qint64 raw)
{
    switch (raw) {
    case 0:
        return FanMode::automatic;
    case 1:
        return FanMode::forced;
    case 3:
        return FanMode::auto3;
    default:
        return std::nullopt;
    }
}

inline int rawValue(FanMode mode)
{
    return static_cast<int>(mode);
}

inline bool isAutomatic(FanMode mode)
{
    return mode != FanMode::forced;
}

} // namespace velk::sensors
