#include "engine/sensors/IntegerPart.h"
#include "engine/sensors/SMC.h"

#include <bit>
#include <cmath>

namespace velk::sensors {

using platform::sensors::kIOReturnBadArgument;
using platform::sensors::kIOReturnError;
using platform::sensors::kIOReturnSuccess;
using platform::sensors::SMCKeyData_t;
using platform::sensors::SMCKeys;
namespace smc = platform::sensors::smc;

namespace {

constexpr int kFanCount = 10;
constexpr std::uint32_t kFpe2Max = 0x3FFF;
constexpr std::uint32_t kShortPause = 50'000;
constexpr std::uint32_t kModePause = 100'000;
constexpr std::uint32_t kUnlockSettle = 3'000'000;

QString fanKey(qint64 fanId, const char* suffix)
{
    return u'F' + QString::number(fanId) + QLatin1String(suffix);
}

void putFpe2(SMCVal_t& value, std::uint32_t n)
{
    value.bytes[0] = static_cast<std::uint8_t>(n >> 6);
    value.bytes[1] = static_cast<std::uint8_t>((n & 0x3F) << 2);
}

} // namespace

std::uint32_t SMC::write(const SMCVal_t& value)
{
    if (!smc::isKeyName(value.key))
        return kIOReturnBadArgument;
    SMCKeyData_t input;
    SMCKeyData_t output;
    input.key = smc::keyCode(value.key);
    input.data8 = static_cast<std::uint8_t>(SMCKeys::writeBytes);
    input.keyInfo.dataSize = value.dataSize;
    input.bytes = value.bytes;
    const std::uint32_t result = callDriver(input, output);
    if (result != kIOReturnSuccess)
        return result;
    return output.result == 0 ? kIOReturnSuccess : kIOReturnError;
}

std::uint32_t SMC::write(const QString& key, qint64 value)
{
    if (value < 0 || value > kFpe2Max)
        return kIOReturnBadArgument;
    SMCVal_t v(key);
    v.dataSize = 2;
    putFpe2(v, static_cast<std::uint32_t>(value));
    return write(v);
}

QString SMC::smcError(const QString& operation, const QString& key, std::uint32_t result) const
{
    // The code is shown as a signed 32-bit number: platform codes, whose top
    // bit is set, read "0x-1ffffd10".
    const auto code = static_cast<qint64>(static_cast<std::int32_t>(result));
    const QString hex = code < 0 ? u'-' + QString::number(-code, 16) : QString::number(code, 16);
    return u'[' + key + QStringLiteral("] ") + operation + QStringLiteral(" failed: ") + errorText(result)
        + QStringLiteral(" (0x") + hex + u')';
}

bool SMC::writeWithRetry(const SMCVal_t& value, int maxAttempts, std::uint32_t delayMicros)
{
    std::uint32_t result = kIOReturnError;
    for (int attempt = 1; attempt <= maxAttempts; ++attempt) {
        result = write(value);
        if (result == kIOReturnSuccess)
            return true;
        if (attempt < maxAttempts)
            m_sleep(delayMicros);
    }
    print(smcError(QStringLiteral("write"), value.key, result));
    return false;
}

QString SMC::fanModeKey(qint64 fanId)
{
    if (m_fanModeKeyIsLower.load() < 0) {
        SMCVal_t probe(QStringLiteral("F0md"));
        const bool lower = read(probe) == kIOReturnSuccess && probe.dataSize != 0;
        m_fanModeKeyIsLower.store(lower ? 1 : 0);
    }
    return fanKey(fanId, m_fanModeKeyIsLower.load() == 1 ? "md" : "Md");
}

bool SMC::retryModeWrite(qint64 fanId, int maxAttempts)
{
    SMCVal_t mode(fanModeKey(fanId));
    if (const std::uint32_t result = read(mode); result != kIOReturnSuccess) {
        print(smcError(QStringLiteral("read"), mode.key, result));
        return false;
    }
    mode.bytes[0] = 1;
    return writeWithRetry(mode, maxAttempts, kModePause);
}

bool SMC::unlockFanControl(qint64 fanId)
{
    SMCVal_t mode(fanModeKey(fanId));
    if (const std::uint32_t result = read(mode); result != kIOReturnSuccess) {
        print(smcError(QStringLiteral("read"), mode.key, result));
        return false;
    }
    mode.bytes[0] = 1;
    if (write(mode) == kIOReturnSuccess)
        return true;

    // The mode byte refused the write: set the test flag, which unlocks it.
    SMCVal_t test(QStringLiteral("Ftst"));
    if (read(test) != kIOReturnSuccess || test.dataSize == 0)
        return false;
    int attempts = 20;
    if (test.bytes[0] != 1) {
        test.bytes[0] = 1;
        if (!writeWithRetry(test, 100, kShortPause))
            return false;
        m_sleep(kUnlockSettle);
        attempts = 300;
    }
    return retryModeWrite(fanId, attempts);
}

void SMC::setFanMode(qint64 fanId, FanMode mode)
{
    if (fanId < 0 || fanId >= kFanCount) {
        print(QStringLiteral("Error: invalid fan id ") + QString::number(fanId));
        return;
    }
    if (mode == FanMode::forced) {
        unlockFanControl(fanId);
        return;
    }
    const QString modeKey = fanModeKey(fanId);
    if (getValue(modeKey)) {
        SMCVal_t value(modeKey);
        if (const std::uint32_t result = read(value); result != kIOReturnSuccess) {
            print(smcError(QStringLiteral("read"), modeKey, result));
            return;
        }
        if (value.bytes[0] != 0) {
            value.bytes[0] = 0;
            if (!writeWithRetry(value, 10, kShortPause))
                return;
        }
    }
    SMCVal_t target(fanKey(fanId, "Tg"));
    if (const std::uint32_t result = read(target); result != kIOReturnSuccess) {
        print(smcError(QStringLiteral("read"), target.key, result));
        return;
    }
    // Zero bytes are 0.0 in both encodings a target uses.
    std::fill(target.bytes.begin(), target.bytes.begin() + 4, 0);
    writeWithRetry(target, 10, kShortPause);
}

void SMC::setFanSpeed(qint64 fanId, qint64 speed)
{
    if (fanId < 0 || fanId >= kFanCount || speed < 0) {
        print(QStringLiteral("Error: invalid fan id or speed"));
        return;
    }
    // A maximum that is no finite number sets no limit.
    if (const auto maximum = getValue(fanKey(fanId, "Mx")); maximum && std::isfinite(*maximum)) {
        const qint64 limit = integerPart(*maximum);
        if (limit < speed) {
            setFanSpeed(fanId, limit);
            return;
        }
    }
    SMCVal_t mode(fanModeKey(fanId));
    if (const std::uint32_t result = read(mode); result != kIOReturnSuccess) {
        print(QStringLiteral("Error read fan mode: ") + errorText(result));
        return;
    }
    if (mode.bytes[0] != 1 && !unlockFanControl(fanId))
        return;

    SMCVal_t target(fanKey(fanId, "Tg"));
    if (const std::uint32_t result = read(target); result != kIOReturnSuccess) {
        print(QStringLiteral("Error read fan value: ") + errorText(result));
        return;
    }
    if (target.dataType == u"flt ") {
        const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(speed));
        for (int i = 0; i < 4; ++i)
            target.bytes[i] = static_cast<std::uint8_t>((bits >> (8 * i)) & 0xFF);
    } else if (target.dataType == u"fpe2") {
        if (speed > kFpe2Max) {
            print(QStringLiteral("Error: fan speed exceeds fpe2 range"));
            return;
        }
        putFpe2(target, static_cast<std::uint32_t>(speed));
        target.bytes[2] = 0;
        target.bytes[3] = 0;
    } else {
        print(QStringLiteral("Error: unsupported fan target type ") + target.dataType);
        return;
    }
    writeWithRetry(target, 10, kShortPause);
}

bool SMC::resetFanControl()
{
    SMCVal_t test(QStringLiteral("Ftst"));
    if (read(test) == kIOReturnSuccess && test.dataSize != 0) {
        if (test.bytes[0] == 0)
            return true;
        test.bytes[0] = 0;
        return writeWithRetry(test, 10, kShortPause);
    }
    const std::optional<double> count = getValue(QStringLiteral("FNum"));
    if (!count)
        return false;
    // Fans are numbered 0 to 9; a count that is no number counts as none.
    const qint64 fans = std::clamp<qint64>(integerPart(*count), 0, kFanCount);
    bool cleared = true;
    for (qint64 fan = 0; fan < fans; ++fan) {
        SMCVal_t mode(fanModeKey(fan));
        if (read(mode) != kIOReturnSuccess) {
            cleared = false;
            continue;
        }
        if (mode.bytes[0] == 0)
            continue;
        mode.bytes[0] = 0;
        if (!writeWithRetry(mode, 10, kShortPause))
            cleared = false;
    }
    return cleared;
}

} // namespace velk::sensors
