#include "engine/sensors/SMC.h"

#include "engine/sensors/IntegerPart.h"
#include "platform/core/ServiceRegistry.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstring>
#include <thread>

namespace velk::sensors {

using platform::sensors::kIOReturnBadArgument;
using platform::sensors::kIOReturnError;
using platform::sensors::kIOReturnNotFound;
using platform::sensors::kIOReturnSuccess;
using platform::sensors::SMCKeyData_t;
using platform::sensors::SMCKeys;
namespace smc = platform::sensors::smc;

namespace {

// Fan-mode keys whose zero value is a real reading (automatic), not a gap.
bool isZeroReadableKey(const QString& key)
{
    return key == u"FS! " || key == u"F0Md" || key == u"F1Md" || key == u"F0md" || key == u"F1md";
}

bool allZero(const std::array<std::uint8_t, 32>& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

std::optional<double> decodeNumber(const QString& type, const std::array<std::uint8_t, 32>& b)
{
    const double n = smc::uint16FromBytes(b[0], b[1]);
    struct FixedPoint {
        const char16_t* type;
        double divisor;
    };
    static constexpr FixedPoint kFixed[] = {
        {u"sp1e", 16384}, {u"sp3c", 4096}, {u"sp4b", 2048}, {u"sp5a", 1024}, {u"sp69", 512}, {u"sp78", 256},
        {u"sp87", 128},   {u"sp96", 64},   {u"spa5", 32},   {u"spb4", 16},   {u"spf0", 1},
    };
    for (const FixedPoint& f : kFixed) {
        if (type == QStringView(f.type))
            return n / f.divisor;
    }
    if (type == u"ui8 ")
        return b[0];
    if (type == u"ui16")
        return n;
    if (type == u"ui32")
        return smc::uint32FromBytes(b[0], b[1], b[2], b[3]);
    if (type == u"flt ") {
        const std::uint32_t bits = std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16)
            | (std::uint32_t(b[3]) << 24);
        return static_cast<double>(std::bit_cast<float>(bits));
    }
    if (type == u"fpe2")
        return static_cast<double>((std::uint32_t(b[0]) << 6) + (b[1] >> 2));
    return std::nullopt;
}

QString latin1Text(const std::uint8_t* bytes, int count)
{
    QString text;
    text.reserve(count);
    for (int i = 0; i < count; ++i)
        text.append(QChar(static_cast<char16_t>(bytes[i])));
    return text;
}

// Removes leading and trailing spaces and tabs (and nothing else).
QString trimSpacesAndTabs(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

SMC::SMC(std::shared_ptr<platform::sensors::SmcTransport> transport, platform::core::LineSink sink, Sleeper sleeper)
    : m_transport(std::move(transport))
    , m_sink(std::move(sink))
    , m_sleep(sleeper ? std::move(sleeper) : Sleeper([](std::uint32_t micros) {
        std::this_thread::sleep_for(std::chrono::microseconds(micros));
    }))
{
    const platform::sensors::SmcOpenResult opened = m_transport->open();
    if (!opened.failedAt) {
        m_conn = opened.connection;
        return;
    }
    switch (*opened.failedAt) {
    case platform::sensors::SmcOpenStep::matching:
        print(QStringLiteral("Error IOServiceGetMatchingServices(): ") + errorText(opened.code));
        break;
    case platform::sensors::SmcOpenStep::iterator:
        print(QStringLiteral("Error IOIteratorNext(): ") + errorText(kIOReturnSuccess));
        break;
    case platform::sensors::SmcOpenStep::open:
        print(QStringLiteral("Error IOServiceOpen(): ") + errorText(opened.code));
        break;
    }
}

SMC::~SMC()
{
    const std::uint32_t result = close();
    if (result != kIOReturnSuccess)
        print(QStringLiteral("error close smc connection: ") + errorText(result));
}

namespace {

struct SharedSink {
    std::mutex lock;
    platform::core::LineSink sink = platform::core::standardOutputSink();
};

SharedSink& sharedSink()
{
    static SharedSink* const slot = new SharedSink;
    return *slot;
}

} // namespace

SMC& SMC::shared()
{
    // Lives for the whole run: never destroyed, so never closed.
    static SMC* const client = new SMC(platform::core::service<platform::sensors::SmcTransport>(), [](const QString& line) {
        SharedSink& shared = sharedSink();
        std::lock_guard guard(shared.lock);
        if (shared.sink)
            shared.sink(line);
    });
    return *client;
}

void SMC::setSharedSink(platform::core::LineSink sink)
{
    SharedSink& shared = sharedSink();
    std::lock_guard guard(shared.lock);
    shared.sink = std::move(sink);
}

void SMC::print(const QString& line) const
{
    if (m_sink)
        m_sink(line);
}

QString SMC::errorText(std::uint32_t code) const
{
    const QString text = m_transport->errorText(code);
    for (const QChar c : text) {
        if (c.unicode() > 0x7F)
            return QStringLiteral("unknown error");
    }
    return text;
}

std::uint32_t SMC::close()
{
    std::lock_guard lock(m_keyInfoLock);
    m_keyInfoCache.clear();
    return m_transport->close(m_conn);
}

std::uint32_t SMC::callDriver(const SMCKeyData_t& input, SMCKeyData_t& output)
{
    std::size_t outputSize = sizeof(SMCKeyData_t);
    return m_transport->call(m_conn, platform::sensors::kSmcCallSelector, input, output, outputSize);
}

std::uint32_t SMC::read(SMCVal_t& value)
{
    if (!smc::isKeyName(value.key))
        return kIOReturnBadArgument;
    std::lock_guard lock(m_keyInfoLock);

    const std::uint32_t code = smc::keyCode(value.key);
    SMCKeyData_t input;
    SMCKeyData_t output;
    input.key = code;

    SMCKeyData_t::keyInfo_t info;
    bool valid = true;
    if (const auto cached = m_keyInfoCache.find(code); cached != m_keyInfoCache.end()) {
        info = cached->second;
    } else {
        input.data8 = static_cast<std::uint8_t>(SMCKeys::readKeyInfo);
        const std::uint32_t result = callDriver(input, output);
        if (result != kIOReturnSuccess)
            return result;
        if (output.result == platform::sensors::kSmcResultKeyNotFound)
            return kIOReturnNotFound;
        if (output.result != 0)
            return kIOReturnError;
        info = output.keyInfo;
        valid = info.dataSize != 0 && info.dataSize <= value.bytes.size() && info.dataType != 0;
    }

    value.dataSize = info.dataSize;
    value.dataType = smc::keyName(info.dataType);

    input.keyInfo.dataSize = info.dataSize;
    input.data8 = static_cast<std::uint8_t>(SMCKeys::readBytes);
    const std::uint32_t result = callDriver(input, output);
    if (result != kIOReturnSuccess || output.result != 0 || !valid) {
        m_keyInfoCache.erase(code);
        if (result != kIOReturnSuccess)
            return result;
    } else {
        m_keyInfoCache[code] = info;
    }
    if (output.result == platform::sensors::kSmcResultKeyNotFound)
        return kIOReturnNotFound;
    if (output.result != 0)
        return kIOReturnError;

    const std::size_t count = std::min<std::size_t>(info.dataSize, value.bytes.size());
    std::memcpy(value.bytes.data(), output.bytes.data(), count);
    return kIOReturnSuccess;
}

std::optional<SMCVal_t> SMC::readForDecoding(const QString& key)
{
    SMCVal_t value(key);
    const std::uint32_t result = read(value);
    if (result == kIOReturnNotFound)
        return std::nullopt;
    if (result != kIOReturnSuccess) {
        print(QStringLiteral("Error read(") + key + QStringLiteral("): ") + errorText(result));
        return std::nullopt;
    }
    if (value.dataSize == 0)
        return std::nullopt;
    return value;
}

std::optional<SMCVal_t> SMC::readKey(const QString& key)
{
    SMCVal_t value(key);
    if (read(value) != kIOReturnSuccess)
        return std::nullopt;
    return value;
}

std::optional<double> SMC::getValue(const QString& key)
{
    const std::optional<SMCVal_t> value = readForDecoding(key);
    if (!value)
        return std::nullopt;
    if (allZero(value->bytes) && !isZeroReadableKey(key))
        return std::nullopt;
    return decodeNumber(value->dataType, value->bytes);
}

std::optional<QString> SMC::getStringValue(const QString& key)
{
    const std::optional<SMCVal_t> value = readForDecoding(key);
    if (!value || allZero(value->bytes))
        return std::nullopt;
    if (value->dataType != u"{fds") {
        print(QStringLiteral("unsupported data type ") + value->dataType + QStringLiteral(" for key: ") + key);
        return std::nullopt;
    }
    return trimSpacesAndTabs(latin1Text(value->bytes.data() + 4, 12));
}

QStringList SMC::getAllKeys()
{
    const std::optional<double> count = getValue(QStringLiteral("#KEY"));
    if (!count) {
        print(QStringLiteral("ERROR no keys count found"));
        return {};
    }
    // The count is an unsigned 32-bit number on every controller; anything
    // else is walked no further than that range allows.
    const qint64 n = std::clamp<qint64>(integerPart(*count), 0, 0xFFFFFFFFLL);
    QStringList keys;
    for (qint64 i = 0; i < n; ++i) {
        SMCKeyData_t input;
        SMCKeyData_t output;
        input.data8 = static_cast<std::uint8_t>(SMCKeys::readIndex);
        input.data32 = static_cast<std::uint32_t>(i);
        if (callDriver(input, output) != kIOReturnSuccess || output.result != 0)
            continue;
        keys.append(smc::keyName(output.key));
    }
    return keys;
}

} // namespace velk::sensors
