#pragma once

#include <QString>
#include <cstdint>

namespace velk::monitor {

// Capacity of the disk holding the user's home folder.
struct DiskInfo {
    std::int64_t totalBytes = 0;
    std::int64_t freeBytes = 0;

    std::int64_t usedBytes() const { return totalBytes - freeBytes; }
    // Fraction between 0 and 1; 0 when totalBytes <= 0.
    double usedPercent() const;
    // 1024-based byte-count texts.
    QString formattedTotal() const;
    QString formattedFree() const;
    QString formattedUsed() const;

    friend bool operator==(const DiskInfo&, const DiskInfo&) = default;
};

class DiskService {
public:
    // Zeros when the home folder's volume cannot be measured.
    static DiskInfo info();
};

} // namespace velk::monitor
