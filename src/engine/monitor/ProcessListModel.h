#pragma once

#include "engine/monitor/MonitorVariants.h"
#include "engine/monitor/ProcInfo.h"

#include <QAbstractListModel>
#include <vector>

namespace velk {

// The monitor's process list for the screens, in the reader's order, one row
// per process keyed by pid. Each tick is announced as removals, moves,
// insertions and changes of single rows, so views keep their rows, scroll
// position and selection while the figures move.
class ProcessListModel final : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
public:
    // One role per field of a process, in the order and under the names of
    // its variant map.
    enum Role {
        PidRole = Qt::UserRole + 1,
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

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    const std::vector<ProcInfo>& rows() const { return m_rows; }
    // Brings the rows to `processes`, announcing only what differs.
    void update(const std::vector<ProcInfo>& processes);

signals:
    void countChanged();

private:
    void removeMissing(const std::vector<ProcInfo>& processes);
    void announceChanged(int first, int last);

    std::vector<ProcInfo> m_rows;
};

} // namespace velk
