#include "platform/sensors/SmcTransport.h"

namespace velk::platform::sensors {

QString SmcTransport::errorText(std::uint32_t code) const
{
    return describe(code);
}

QString SmcTransport::describe(std::uint32_t code)
{
    switch (code) {
    case kIOReturnSuccess:
        return QStringLiteral("success");
    case kIOReturnError:
        return QStringLiteral("general error");
    case kIOReturnBadArgument:
        return QStringLiteral("invalid argument");
    case kIOReturnNotFound:
        return QStringLiteral("not found");
    default:
        return QStringLiteral("unknown error");
    }
}

std::shared_ptr<SmcTransport> SmcTransport::createDefault()
{
    return fromSysfs(QStringLiteral("/sys"));
}

} // namespace velk::platform::sensors
