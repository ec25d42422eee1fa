#pragma once

#include "platform/sensors/SmcTransport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace velk::platform::sensors {

// Which calls an injected fault applies to; an absent field matches any
// call. `times` limits how many calls it hits (-1: every call).
struct EmulatedSmcMatch {
    std::optional<SMCKeys> command;
    std::optional<QString> key;
    int times = -1;
};

// A controller in software. It answers the commands "read key info" (9),
// "read bytes" (5), "write bytes" (6) and "read index" (8) over a table of
// keys sorted by key code, and keeps "#KEY" (the number of keys) up to date
// unless a test sets it itself.
//
// A key's value is either stored or read afresh from a source on each value
// read, at most once per second; a source that gives nothing makes the read
// answer "key not found" (132).
//
// As the test double it injects faults: a driver error or an answer byte for
// a command, a key or both (for every call or a number of calls), the key
// information a key reports, refused writes, and a failure at any step of
// opening. It records every call.
class EmulatedSmc final : public SmcTransport {
public:
    // Answer bytes besides 0 and 132.
    static constexpr std::uint8_t kResultRefused = 0x86;     // the key takes no writes
    static constexpr std::uint8_t kResultBadCommand = 0x8B;  // a command it does not know

    using ValueSource = std::function<std::optional<QByteArray>()>;
    using MsClock = std::function<qint64()>;

    // `clock` gives monotonic milliseconds; the platform clock by default.
    explicit EmulatedSmc(MsClock clock = {});

    // --- The key table ---------------------------------------------------
    // Stores a key with its type ("flt ", "ui8 ", ...) and value; the size
    // is the value's length (at most 32 bytes are served).
    void setKey(const QString& key, const QString& type, const QByteArray& value, std::uint8_t attributes = 0);
    void setSourcedKey(const QString& key, const QString& type, std::uint32_t size, ValueSource source);
    void removeKey(const QString& key);
    // Every key in table (key code) order.
    QStringList keys() const;
    // The stored value of a key (its last written bytes).
    std::optional<QByteArray> value(const QString& key) const;

    // Value encodings.
    static QByteArray flt(float value);         // little-endian single
    static QByteArray ui8(std::uint8_t value);
    static QByteArray ui32(std::uint32_t value);  // big-endian
    static QByteArray sp78(double value);       // unsigned 8.8 fixed point
    // A "{fds" name: bytes 4 to 15 hold `label` (printable ASCII only,
    // cut to 12 characters, padded with spaces).
    static QByteArray fds(const QString& label);

    // --- Faults ----------------------------------------------------------
    using Match = EmulatedSmcMatch;
    void failOpen(SmcOpenStep step, std::uint32_t code = kIOReturnError);
    void injectDriverError(std::uint32_t code, Match where = {});
    void injectResult(std::uint8_t result, Match where = {});
    // What "read key info" reports for `key`, whatever the table holds.
    void setKeyInfo(const QString& key, std::uint32_t size, std::uint32_t typeCode);
    void refuseWrites(bool refuse = true);
    void clearFaults();

    // --- The call log ----------------------------------------------------
    struct Call {
        std::uint8_t command = 0;
        QString key;                 // the record's key, "" when it was 0
        std::uint32_t index = 0;     // data32
        std::uint32_t dataSize = 0;  // keyInfo.dataSize sent
        QByteArray bytes;            // the record's 32 value bytes
    };
    std::vector<Call> calls() const;
    int callCount(SMCKeys command) const;
    void clearCalls();
    bool isOpen() const;

    // --- SmcTransport ----------------------------------------------------
    SmcOpenResult open() override;
    std::uint32_t call(std::uint32_t connection, std::uint32_t selector, const SMCKeyData_t& input,
                       SMCKeyData_t& output, std::size_t& outputSize) override;
    std::uint32_t close(std::uint32_t connection) override;

private:
    struct Entry {
        std::uint32_t size = 0;
        std::uint32_t type = 0;
        std::uint8_t attributes = 0;
        QByteArray bytes;
        ValueSource source;
        std::optional<qint64> readAtMs;
    };
    struct Fault {
        std::optional<std::uint8_t> command;
        std::optional<std::uint32_t> key;
        int times = -1;
        std::optional<std::uint32_t> driverError;
        std::uint8_t result = 0;
    };
    static Fault faultFor(const Match& where);
    struct KeyInfo {
        std::uint32_t size;
        std::uint32_t type;
    };

    std::optional<Fault> takeFault(std::uint8_t command, std::uint32_t key, bool driverLevel);
    bool currentValue(Entry& entry);
    void refreshKeyCount();

    mutable std::mutex m_mutex;
    MsClock m_clock;
    std::map<std::uint32_t, Entry> m_keys;
    std::map<std::uint32_t, KeyInfo> m_keyInfo;
    std::vector<Fault> m_faults;
    std::optional<SmcOpenStep> m_openFailure;
    std::uint32_t m_openFailureCode = kIOReturnError;
    bool m_refuseWrites = false;
    bool m_countKeys = true;
    std::uint32_t m_connection = 0;
    std::uint32_t m_nextConnection = 0x5A10;
    std::vector<Call> m_calls;
};

} // namespace velk::platform::sensors
