#pragma once

#include "engine/sensors/FanMode.h"
#include "platform/core/LineSink.h"
#include "platform/sensors/SmcProtocol.h"
#include "platform/sensors/SmcTransport.h"

#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace velk::sensors {

// One key's value as the client handles it.
struct SMCVal_t {
    QString key;
    std::uint32_t dataSize = 0;
    QString dataType;
    std::array<std::uint8_t, 32> bytes{};

    SMCVal_t() = default;
    explicit SMCVal_t(QString k) : key(std::move(k)) {}
};

// The client of the system management controller: reads keys and decodes
// their values, lists the keys, and writes fan settings. Messages go to the
// line sink, one line each. Reads are serialised by one lock, which also
// guards the cache of key information.
class SMC {
public:
    // Pauses the calling thread for a number of microseconds.
    using Sleeper = std::function<void(std::uint32_t micros)>;

    // Opens the controller through `transport`.
    explicit SMC(std::shared_ptr<platform::sensors::SmcTransport> transport,
                 platform::core::LineSink sink = platform::core::standardOutputSink(), Sleeper sleeper = {});
    // Closes the connection, reporting a failure to close.
    ~SMC();
    SMC(const SMC&) = delete;
    SMC& operator=(const SMC&) = delete;

    // The process-wide client over the registered transport, opened on
    // first use and kept for the whole run. Its messages go to the sink last
    // given to setSharedSink (standard output until then).
    static SMC& shared();
    static void setSharedSink(platform::core::LineSink sink);

    // Empties the cache and closes the connection.
    std::uint32_t close();
    // The decoded number of a key; nothing when it cannot be read or decoded.
    std::optional<double> getValue(const QString& key);
    // The name a "{fds" key holds.
    std::optional<QString> getStringValue(const QString& key);
    // Every key the controller knows, in its index order.
    QStringList getAllKeys();

    // --- Fan control (fans 0 to 9) ---------------------------------------
    // The key of a fan's mode byte ("F0md" or "F0Md", as the machine has).
    QString fanModeKey(qint64 fanId);
    void setFanMode(qint64 fanId, FanMode mode);
    void setFanSpeed(qint64 fanId, qint64 speed);
    // Clears every forced setting; true when all were cleared.
    bool resetFanControl();
    // Writes `value` (0 to 16383) as "fpe2".
    std::uint32_t write(const QString& key, qint64 value);

    std::uint32_t connection() const { return m_conn; }
    // A key's raw value with its size and type, for diagnostics; nothing
    // when it cannot be read.
    std::optional<SMCVal_t> readKey(const QString& key);

private:
    std::uint32_t read(SMCVal_t& value);
    std::uint32_t write(const SMCVal_t& value);
    std::uint32_t callDriver(const platform::sensors::SMCKeyData_t& input, platform::sensors::SMCKeyData_t& output);
    // The value of `key` read through read(), reporting failures the way
    // getValue and getStringValue do; nothing when unusable.
    std::optional<SMCVal_t> readForDecoding(const QString& key);
    QString errorText(std::uint32_t code) const;
    void print(const QString& line) const;

    bool writeWithRetry(const SMCVal_t& value, int maxAttempts, std::uint32_t delayMicros);
    bool unlockFanControl(qint64 fanId);
    bool retryModeWrite(qint64 fanId, int maxAttempts);
    QString smcError(const QString& operation, const QString& key, std::uint32_t result) const;

    std::shared_ptr<platform::sensors::SmcTransport> m_transport;
    platform::core::LineSink m_sink;
    Sleeper m_sleep;
    std::uint32_t m_conn = 0;
    // Whether the machine spells mode keys "F0md": -1 until probed, then 0 or 1.
    std::atomic<int> m_fanModeKeyIsLower{-1};
    std::mutex m_keyInfoLock;
    std::unordered_map<std::uint32_t, platform::sensors::SMCKeyData_t::keyInfo_t> m_keyInfoCache;
};

} // namespace velk::sensors
