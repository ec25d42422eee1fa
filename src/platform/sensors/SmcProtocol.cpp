#include "platform/sensors/SmcProtocol.h"

namespace velk::platform::sensors {

std::optional<SMCKeys> smcKeysFromRaw(std::uint8_t raw)
{
    switch (raw) {
    case 2:
    case 5:
    case 6:
    case 8:
    case 9:
    case 11:
    case 12:
        return static_cast<SMCKeys>(raw);
    default:
        return std::nullopt;
    }
}

namespace smc {

bool isKeyName(const QString& key)
{
    if (key.size() != 4)
        return false;
    for (const QChar c : key) {
        if (c.unicode() > 0x7F)
            return false;
    }
    return true;
}

std::uint32_t keyCode(const QString& key)
{
    std::uint32_t code = 0;
    for (const char byte : key.toUtf8())
        code = (code << 8) | static_cast<std::uint8_t>(byte);
    return code;
}

QString keyName(std::uint32_t code)
{
    QString name;
    name.reserve(4);
    for (int shift = 24; shift >= 0; shift -= 8)
        name.append(QChar(static_cast<char16_t>((code >> shift) & 0xFF)));
    return name;
}

std::uint16_t uint16FromBytes(std::uint8_t high, std::uint8_t low)
{
    return static_cast<std::uint16_t>(high * 256 + low);
}

std::uint32_t uint32FromBytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    return (std::uint32_t(b0) << 24) | (std::uint32_t(b1) << 16) | (std::uint32_t(b2) << 8) | std::uint32_t(b3);
}

} // namespace smc
} // namespace velk::platform::sensors
