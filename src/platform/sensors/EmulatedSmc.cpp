#include "platform/sensors/EmulatedSmc.h"

#include "platform/core/Clock.h"
#include "platform/core/ServiceRegistry.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace velk::platform::sensors {

namespace {
const QString kKeyCountKey = QStringLiteral("#KEY");
constexpr qint64 kValueLifetimeMs = 1000;
} // namespace

EmulatedSmc::EmulatedSmc(MsClock clock)
    : m_clock(clock ? std::move(clock) : MsClock([] { return core::service<core::Clock>()->monotonicMs(); }))
{
    refreshKeyCount();
}

void EmulatedSmc::setKey(const QString& key, const QString& type, const QByteArray& value, std::uint8_t attributes)
{
    std::lock_guard lock(m_mutex);
    if (key == kKeyCountKey)
        m_countKeys = false;
    Entry entry;
    entry.size = static_cast<std::uint32_t>(value.size());
    entry.type = smc::keyCode(type);
    entry.attributes = attributes;
    entry.bytes = value;
    m_keys[smc::keyCode(key)] = std::move(entry);
    refreshKeyCount();
}

void EmulatedSmc::setSourcedKey(const QString& key, const QString& type, std::uint32_t size, ValueSource source)
{
    std::lock_guard lock(m_mutex);
    Entry entry;
    entry.size = size;
    entry.type = smc::keyCode(type);
    entry.bytes = QByteArray(static_cast<qsizetype>(size), '\0');
    entry.source = std::move(source);
    m_keys[smc::keyCode(key)] = std::move(entry);
    refreshKeyCount();
}

void EmulatedSmc::removeKey(const QString& key)
{
    std::lock_guard lock(m_mutex);
    m_keys.erase(smc::keyCode(key));
    refreshKeyCount();
}

QStringList EmulatedSmc::keys() const
{
    std::lock_guard lock(m_mutex);
    QStringList names;
    for (const auto& [code, entry] : m_keys)
        names.append(smc::keyName(code));
    return names;
}

std::optional<QByteArray> EmulatedSmc::value(const QString& key) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_keys.find(smc::keyCode(key));
    if (it == m_keys.end())
        return std::nullopt;
    return it->second.bytes;
}

// Called with the mutex held.
void EmulatedSmc::refreshKeyCount()
{
    if (!m_countKeys)
        return;
    const std::uint32_t code = smc::keyCode(kKeyCountKey);
    Entry& entry = m_keys[code];
    entry.size = 4;
    entry.type = smc::keyCode(QStringLiteral("ui32"));
    entry.bytes = ui32(static_cast<std::uint32_t>(m_keys.size()));
}

QByteArray EmulatedSmc::flt(float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

QByteArray EmulatedSmc::ui8(std::uint8_t value)
{
    return QByteArray(1, static_cast<char>(value));
}

QByteArray EmulatedSmc::ui32(std::uint32_t value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((value >> (8 * (3 - i))) & 0xFF);
    return bytes;
}

QByteArray EmulatedSmc::sp78(double value)
{
    const double scaled = std::isfinite(value) ? std::clamp(std::round(value * 256.0), 0.0, 65535.0) : 0.0;
    const auto n = static_cast<std::uint16_t>(scaled);
    QByteArray bytes(2, '\0');
    bytes[0] = static_cast<char>(n >> 8);
    bytes[1] = static_cast<char>(n & 0xFF);
    return bytes;
}

QByteArray EmulatedSmc::fds(const QString& label)
{
    QByteArray bytes(16, '\0');
    QByteArray name;
    for (const QChar c : label) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F && name.size() < 12)
            name.append(static_cast<char>(c.unicode()));
    }
    name = name.leftJustified(12, ' ');
    std::memcpy(bytes.data() + 4, name.constData(), 12);
    return bytes;
}

void EmulatedSmc::failOpen(SmcOpenStep step, std::uint32_t code)
{
    std::lock_guard lock(m_mutex);
    m_openFailure = step;
    m_openFailureCode = code;
}

EmulatedSmc::Fault EmulatedSmc::faultFor(const Match& where)
{
    Fault fault;
    if (where.command)
        fault.command = static_cast<std::uint8_t>(*where.command);
    if (where.key)
        fault.key = smc::keyCode(*where.key);
    fault.times = where.times;
    return fault;
}

void EmulatedSmc::injectDriverError(std::uint32_t code, Match where)
{
    Fault fault = faultFor(where);
    fault.driverError = code;
    std::lock_guard lock(m_mutex);
    m_faults.push_back(fault);
}

void EmulatedSmc::injectResult(std::uint8_t result, Match where)
{
    Fault fault = faultFor(where);
    fault.result = result;
    std::lock_guard lock(m_mutex);
    m_faults.push_back(fault);
}

void EmulatedSmc::setKeyInfo(const QString& key, std::uint32_t size, std::uint32_t typeCode)
{
    std::lock_guard lock(m_mutex);
    m_keyInfo[smc::keyCode(key)] = KeyInfo{size, typeCode};
}

void EmulatedSmc::refuseWrites(bool refuse)
{
    std::lock_guard lock(m_mutex);
    m_refuseWrites = refuse;
}

void EmulatedSmc::clearFaults()
{
    std::lock_guard lock(m_mutex);
    m_faults.clear();
    m_keyInfo.clear();
    m_openFailure.reset();
    m_refuseWrites = false;
}

std::vector<EmulatedSmc::Call> EmulatedSmc::calls() const
{
    std::lock_guard lock(m_mutex);
    return m_calls;
}

int EmulatedSmc::callCount(SMCKeys command) const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(std::count_if(m_calls.begin(), m_calls.end(), [command](const Call& c) {
        return c.command == static_cast<std::uint8_t>(command);
    }));
}

void EmulatedSmc::clearCalls()
{
    std::lock_guard lock(m_mutex);
    m_calls.clear();
}

bool EmulatedSmc::isOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_connection != 0;
}

SmcOpenResult EmulatedSmc::open()
{
    std::lock_guard lock(m_mutex);
    SmcOpenResult result;
    if (m_openFailure) {
        result.failedAt = m_openFailure;
        // Running out of services is no error of the call itself.
        result.code = *m_openFailure == SmcOpenStep::iterator ? kIOReturnSuccess : m_openFailureCode;
        return result;
    }
    m_connection = m_nextConnection++;
    result.connection = m_connection;
    return result;
}

std::uint32_t EmulatedSmc::close(std::uint32_t connection)
{
    std::lock_guard lock(m_mutex);
    if (connection == 0 || connection != m_connection)
        return kIOReturnBadArgument;
    m_connection = 0;
    return kIOReturnSuccess;
}

std::optional<EmulatedSmc::Fault> EmulatedSmc::takeFault(std::uint8_t command, std::uint32_t key, bool driverLevel)
{
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if (it->driverError.has_value() != driverLevel)
            continue;
        if ((it->command && *it->command != command) || (it->key && *it->key != key))
            continue;
        const Fault fault = *it;
        if (it->times > 0 && --it->times == 0)
            m_faults.erase(it);
        return fault;
    }
    return std::nullopt;
}

// Called with the mutex held. Brings a sourced value up to date; false when
// its source cannot be read.
bool EmulatedSmc::currentValue(Entry& entry)
{
    if (!entry.source)
        return true;
    const qint64 now = m_clock();
    if (entry.readAtMs && now - *entry.readAtMs < kValueLifetimeMs && now >= *entry.readAtMs)
        return true;
    const std::optional<QByteArray> fresh = entry.source();
    if (!fresh) {
        entry.readAtMs.reset();
        return false;
    }
    entry.bytes = fresh->leftJustified(static_cast<qsizetype>(entry.size), '\0', true);
    entry.readAtMs = now;
    return true;
}

std::uint32_t EmulatedSmc::call(std::uint32_t connection, std::uint32_t selector, const SMCKeyData_t& input,
                                SMCKeyData_t& output, std::size_t& outputSize)
{
    std::lock_guard lock(m_mutex);
    m_calls.push_back(Call{input.data8, input.key ? smc::keyName(input.key) : QString(), input.data32,
                           input.keyInfo.dataSize,
                           QByteArray(reinterpret_cast<const char*>(input.bytes.data()), 32)});
    if (connection == 0 || connection != m_connection)
        return kIOReturnError;
    if (selector != kSmcCallSelector || outputSize < sizeof(SMCKeyData_t))
        return kIOReturnBadArgument;
    if (const auto fault = takeFault(input.data8, input.key, true))
        return *fault->driverError;

    output = input;
    output.result = 0;
    outputSize = sizeof(SMCKeyData_t);
    if (const auto fault = takeFault(input.data8, input.key, false)) {
        output.result = fault->result;
        return kIOReturnSuccess;
    }

    const auto found = m_keys.find(input.key);
    Entry* entry = found == m_keys.end() ? nullptr : &found->second;
    switch (smcKeysFromRaw(input.data8).value_or(SMCKeys::kernelIndex)) {
    case SMCKeys::readKeyInfo:
        if (const auto info = m_keyInfo.find(input.key); info != m_keyInfo.end()) {
            output.keyInfo = {info->second.size, info->second.type, 0};
        } else if (entry) {
            output.keyInfo = {entry->size, entry->type, entry->attributes};
        } else {
            output.result = kSmcResultKeyNotFound;
        }
        break;
    case SMCKeys::readBytes:
        if (!entry || !currentValue(*entry)) {
            output.result = kSmcResultKeyNotFound;
            break;
        }
        output.bytes.fill(0);
        std::memcpy(output.bytes.data(), entry->bytes.constData(),
                    std::min<std::size_t>(static_cast<std::size_t>(entry->bytes.size()), output.bytes.size()));
        break;
    case SMCKeys::writeBytes:
        if (!entry) {
            output.result = kSmcResultKeyNotFound;
        } else if (m_refuseWrites || entry->source) {
            output.result = kResultRefused;
        } else {
            const auto size = std::min<std::size_t>(entry->size, input.bytes.size());
            entry->bytes = QByteArray(reinterpret_cast<const char*>(input.bytes.data()), static_cast<qsizetype>(size));
        }
        break;
    case SMCKeys::readIndex:
        if (input.data32 >= m_keys.size()) {
            output.result = kSmcResultKeyNotFound;
        } else {
            output.key = std::next(m_keys.begin(), static_cast<std::ptrdiff_t>(input.data32))->first;
        }
        break;
    default:
        output.result = kResultBadCommand;
        break;
    }
    return kIOReturnSuccess;
}

} // namespace velk::platform::sensors
