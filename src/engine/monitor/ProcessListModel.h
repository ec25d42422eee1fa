#pragma once

#include "engine/monitor/MonitorVariants.h"
#include "engine/monitor/ProcInfo.h"

#include "common/lists/KeyedListModel.h"

namespace velk::monitor {

// The monitor's process list for the screens, in the reader's order, one row
// per process keyed by pid. Each tick is announced as removals, moves,
// insertions and changes of single rows, so views keep their rows, scroll
// position and selection while the figures move.
class ProcessListModel : public lists::KeyedListModel<ProcInfo, qint32> {
    Q_OBJECT
public:
    // One role per field of a process, in the order and under the names of
    // its variant map.
    enum Role {
        PidRole = firstRole,
        PpidRole,
        UserRole,
        CpuRole,
        CpuAvailableRole,
        CpuTextRole,
        PathRole,
        NameRole,
        RssBytesRole,
        MemoryBytesRole,   // undefined when unknown
        MemMBRole,
        MemoryTextRole,
        ThreadsRole,       // undefined when unknown
        BundlePathRole,    // undefined outside an application bundle
    };
    Q_ENUM(Role)
    static_assert(BundlePathRole - PidRole + 1 == procInfoFieldCount);

    explicit ProcessListModel(QObject* parent = nullptr);

protected:
    qint32 keyOf(const ProcInfo& process) const override { return process.pid; }
    QVariant value(const ProcInfo& process, int column) const override { return procInfoField(process, column); }
};

} // namespace velk::monitor
