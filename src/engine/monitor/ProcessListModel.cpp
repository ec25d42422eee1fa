#include "engine/monitor/ProcessListModel.h"

#include "engine/monitor/MonitorVariants.h"

#include <QHash>

namespace velk {

int ProcessListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant ProcessListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    return procInfoField(m_rows[static_cast<std::size_t>(index.row())], role - PidRole);
}

QHash<int, QByteArray> ProcessListModel::roleNames() const
{
    QHash<int, QByteArray> names;
    for (int field = 0; field < procInfoFieldCount; ++field)
        names.insert(PidRole + field, procInfoFieldName(field));
    return names;
}

// Rows whose pid occurs fewer times in the new list than in the model go,
// the surplus from the end, so every row left has a place in the new list.
void ProcessListModel::removeMissing(const std::vector<ProcInfo>& processes)
{
    QHash<qint32, int> wanted;
    for (const ProcInfo& p : processes)
        ++wanted[p.pid];
    QHash<qint32, int> kept;
    for (const ProcInfo& row : m_rows)
        ++kept[row.pid];

    for (int row = rowCount() - 1; row >= 0; --row) {
        const qint32 pid = m_rows[static_cast<std::size_t>(row)].pid;
        int& have = kept[pid];
        if (have <= wanted.value(pid))
            continue;
        --have;
        beginRemoveRows({}, row, row);
        m_rows.erase(m_rows.begin() + row);
        endRemoveRows();
    }
}

void ProcessListModel::announceChanged(int first, int last)
{
    if (first <= last)
        emit dataChanged(index(first), index(last));
}

void ProcessListModel::update(const std::vector<ProcInfo>& processes)
{
    const int before = rowCount();
    removeMissing(processes);

    const int target = static_cast<int>(processes.size());
    int changedFrom = 0;
    int changedTo = -1;
    const auto flushChanged = [&] {
        announceChanged(changedFrom, changedTo);
        changedTo = -1;
    };

    for (int i = 0; i < target; ++i) {
        const ProcInfo& wanted = processes[static_cast<std::size_t>(i)];
        auto& rows = m_rows;
        if (i < rowCount() && rows[static_cast<std::size_t>(i)].pid == wanted.pid) {
            if (!(rows[static_cast<std::size_t>(i)] == wanted)) {
                rows[static_cast<std::size_t>(i)] = wanted;
                if (changedTo != i - 1)
                    flushChanged();
                if (changedTo < changedFrom)
                    changedFrom = i;
                changedTo = i;
            }
            continue;
        }
        flushChanged();

        int from = -1;
        for (int j = i + 1; j < rowCount(); ++j) {
            if (rows[static_cast<std::size_t>(j)].pid == wanted.pid) {
                from = j;
                break;
            }
        }
        if (from >= 0) {
            beginMoveRows({}, from, from, {}, i);
            ProcInfo moved = std::move(rows[static_cast<std::size_t>(from)]);
            rows.erase(rows.begin() + from);
            const bool same = moved == wanted;
            rows.insert(rows.begin() + i, wanted);
            endMoveRows();
            if (!same)
                announceChanged(i, i);
        } else {
            beginInsertRows({}, i, i);
            rows.insert(rows.begin() + i, wanted);
            endInsertRows();
        }
    }
    flushChanged();

    if (rowCount() != before)
        emit countChanged();
}

} // namespace velk
