#pragma once

#include <QString>
#include <cstdint>

namespace velk::monitor {

// Number, byte and percentage texts of the monitoring screens. Decimal
// points are periods whatever the locale.
class Fmt {
public:
    // Byte count in the platform formatter's memory style.
    static QString bytes(std::uint64_t bytes);
    // Megabytes: "512 MB", from 1024 on "1.00 GB".
    static QString mb(double megabytes);
    // Decimal megabytes of process memory: "999.9 MB", from 1000 on "1.00 GB".
    static QString processMB(double megabytes);
    // Percent: "9.5%", from 10 on "12%".
    static QString cpu(double percent);
};

} // namespace velk::monitor
