#pragma once

#include <QString>
#include <cstdint>

namespace velk::monitor {

// Capacity of the disk holding the user's home folder, as df gives it: the
// free space is what the user may still write; space reserved for the
// superuser is neither free nor used.
struct DiskInfo {
    std::int64_t totalBytes = 0;
    std::int64_t freeBytes = 0;
    std::int64_t reservedBytes = 0;

    std::int64_t usedBytes() const;
    // Used ÷ (used + free), between 0 and 1; 0 when both are 0.
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
