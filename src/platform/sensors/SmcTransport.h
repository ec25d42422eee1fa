#pragma once

#include "platform/sensors/SmcProtocol.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace velk::platform::sensors {

// The steps of opening the controller, in order.
enum class SmcOpenStep {
    matching,  // finding the controller's services
    iterator,  // taking the first service: fails when there is none
    open,      // opening the service's user client
};

struct SmcOpenResult {
    std::uint32_t connection = 0;        // non-zero when opened
    std::optional<SmcOpenStep> failedAt;  // the step that failed, if any
    std::uint32_t code = kIOReturnSuccess;
};

// The channel to the system management controller: open it, exchange one
// 80-byte record per call, close it. Implementations are safe to call from
// several threads.
class SmcTransport {
public:
    virtual ~SmcTransport() = default;

    virtual SmcOpenResult open() = 0;
    // One exchange on an open connection. `outputSize` is the size of the
    // output record on entry and the size written on return. A non-zero
    // result is a driver error; otherwise `output.result` is the
    // controller's answer.
    virtual std::uint32_t call(std::uint32_t connection, std::uint32_t selector, const SMCKeyData_t& input,
                               SMCKeyData_t& output, std::size_t& outputSize) = 0;
    virtual std::uint32_t close(std::uint32_t connection) = 0;
    // A short description of a result code.
    virtual QString errorText(std::uint32_t code) const;

    // The description of the four codes this system knows, "unknown error"
    // for any other.
    static QString describe(std::uint32_t code);

    // The controller served from the kernel's hardware-monitoring and
    // thermal classes.
    static std::shared_ptr<SmcTransport> createDefault();
    // The same below `sysfsRoot` (a folder laid out like /sys).
    static std::shared_ptr<SmcTransport> fromSysfs(const QString& sysfsRoot);
};

} // namespace velk::platform::sensors
