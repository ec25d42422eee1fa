#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace velk::platform::sensors {

// Result codes of the controller's driver calls.
inline constexpr std::uint32_t kIOReturnSuccess = 0;
inline constexpr std::uint32_t kIOReturnError = 0xE00002BC;
inline constexpr std::uint32_t kIOReturnBadArgument = 0xE00002C2;
inline constexpr std::uint32_t kIOReturnNotFound = 0xE00002F0;

// The controller's answer byte for a key it does not know.
inline constexpr std::uint8_t kSmcResultKeyNotFound = 132;

// The selector of the one driver call that exchanges a record.
inline constexpr std::uint32_t kSmcCallSelector = 2;

// Command bytes (`data8` of a record).
enum class SMCKeys : std::uint8_t {
    kernelIndex = 2,
    readBytes = 5,
    writeBytes = 6,
    readIndex = 8,
    readKeyInfo = 9,
    readPLimit = 11,
    readVers = 12,
};
// The command of a byte; nothing for a byte that names none.
std::optional<SMCKeys> smcKeysFromRaw(std::uint8_t raw);

// The record exchanged with the controller on every call: exactly 80 bytes,
// integers in the host's byte order, value bytes in the controller's order.
struct SMCKeyData_t {
    struct vers_t {
        std::uint8_t major = 0;
        std::uint8_t minor = 0;
        std::uint8_t build = 0;
        std::uint8_t reserved = 0;
        std::uint16_t release = 0;
    };
    struct LimitData_t {
        std::uint16_t version = 0;
        std::uint16_t length = 0;
        std::uint32_t cpuPLimit = 0;
        std::uint32_t gpuPLimit = 0;
        std::uint32_t memPLimit = 0;
    };
    // Packed: the record continues right after the attribute byte.
    struct __attribute__((packed)) keyInfo_t {
        std::uint32_t dataSize = 0;
        std::uint32_t dataType = 0;
        std::uint8_t dataAttributes = 0;
    };

    std::uint32_t key = 0;
    vers_t vers;
    LimitData_t pLimitData;
    keyInfo_t keyInfo;
    std::uint16_t padding = 0;
    std::uint8_t result = 0;
    std::uint8_t status = 0;
    std::uint8_t data8 = 0;
    std::uint32_t data32 = 0;
    std::array<std::uint8_t, 32> bytes{};
};

static_assert(sizeof(SMCKeyData_t) == 80);
static_assert(sizeof(SMCKeyData_t::keyInfo_t) == 9);
static_assert(offsetof(SMCKeyData_t, key) == 0);
static_assert(offsetof(SMCKeyData_t, vers) == 4);
static_assert(offsetof(SMCKeyData_t, vers) + offsetof(SMCKeyData_t::vers_t, release) == 8);
static_assert(offsetof(SMCKeyData_t, pLimitData) == 12);
static_assert(offsetof(SMCKeyData_t, pLimitData) + offsetof(SMCKeyData_t::LimitData_t, cpuPLimit) == 16);
static_assert(offsetof(SMCKeyData_t, pLimitData) + offsetof(SMCKeyData_t::LimitData_t, memPLimit) == 24);
static_assert(offsetof(SMCKeyData_t, keyInfo) == 28);
static_assert(offsetof(SMCKeyData_t, keyInfo) + offsetof(SMCKeyData_t::keyInfo_t, dataType) == 32);
static_assert(offsetof(SMCKeyData_t, keyInfo) + offsetof(SMCKeyData_t::keyInfo_t, dataAttributes) == 36);
static_assert(offsetof(SMCKeyData_t, padding) == 38);
static_assert(offsetof(SMCKeyData_t, result) == 40);
static_assert(offsetof(SMCKeyData_t, status) == 41);
static_assert(offsetof(SMCKeyData_t, data8) == 42);
static_assert(offsetof(SMCKeyData_t, data32) == 44);
static_assert(offsetof(SMCKeyData_t, bytes) == 48);

namespace smc {

// Whether `key` is a key name: exactly four characters of one byte each.
bool isKeyName(const QString& key);
// The 32-bit code of a four-byte key, first character most significant.
// Only meaningful when isKeyName(key).
std::uint32_t keyCode(const QString& key);
// The four characters of a code, most significant byte first; each byte
// becomes the character of the same number (0xB0 is "°", 0 is U+0000).
QString keyName(std::uint32_t code);

std::uint16_t uint16FromBytes(std::uint8_t high, std::uint8_t low);
std::uint32_t uint32FromBytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3);

} // namespace smc
} // namespace velk::platform::sensors
