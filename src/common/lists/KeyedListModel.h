#pragma once

#include "common/lists/ListModel.h"

#include <QHash>
#include <QList>

namespace velk::lists {

// A list of value rows, each known by a key (a pid, an id, a path), brought
// to each new list by update(): rows that went are removed, rows that came
// are inserted, rows that changed place are moved and rows whose values
// changed are announced in runs. The model is never reset, so views keep
// their delegates, scroll position and selection while the figures move.
//
// Subclasses give the key of a row and its values by column (the roles come
// from the one table of names handed to the constructor). Rows compare with ==; a key
// may occur more than once, its rows then keep their order among themselves.
template <class Row, class Key = QString>
class KeyedListModel : public ListModel {
public:
    using ListModel::ListModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }

    const QList<Row>& rows() const { return m_rows; }

    // The first row with key `key`, or -1.
    int rowOf(const Key& key) const
    {
        for (qsizetype row = 0; row < m_rows.size(); ++row) {
            if (keyOf(m_rows[row]) == key)
                return static_cast<int>(row);
        }
        return -1;
    }

    // Brings the rows to `wanted` (any list with size() and []), announcing
    // only what differs.
    template <class Rows = QList<Row>>
    void update(const Rows& wanted)
    {
        const int before = rowCount();
        removeMissing(wanted);

        int changedFrom = 0;
        int changedTo = -1;
        const auto flushChanged = [&] {
            announceChanged(changedFrom, changedTo);
            changedTo = -1;
        };

        const int count = static_cast<int>(wanted.size());
        for (int i = 0; i < count; ++i) {
            const Row& next = wanted[static_cast<std::size_t>(i)];
            const Key key = keyOf(next);
            if (i < rowCount() && keyOf(m_rows[i]) == key) {
                if (!(m_rows[i] == next)) {
                    m_rows[i] = next;
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
                if (keyOf(m_rows[j]) == key) {
                    from = j;
                    break;
                }
            }
            if (from >= 0) {
                beginMoveRows({}, from, from, {}, i);
                const bool same = m_rows[from] == next;
                m_rows.remove(from);
                m_rows.insert(i, next);
                endMoveRows();
                if (!same)
                    announceChanged(i, i);
            } else {
                beginInsertRows({}, i, i);
                m_rows.insert(i, next);
                endInsertRows();
            }
        }
        flushChanged();

        if (rowCount() != before)
            emit countChanged();
    }

protected:
    virtual Key keyOf(const Row& row) const = 0;
    // Column `column` of a row, 0 to columnCount() - 1.
    virtual QVariant value(const Row& row, int column) const = 0;

    QVariant column(int row, int column) const final { return value(m_rows[row], column); }

private:
    // Rows whose key occurs fewer times in the new list than in the model
    // go, the surplus from the end, so every row left has a place in it.
    template <class Rows>
    void removeMissing(const Rows& wanted)
    {
        QHash<Key, int> wantedCount;
        for (const Row& row : wanted)
            ++wantedCount[keyOf(row)];
        QHash<Key, int> kept;
        for (const Row& row : m_rows)
            ++kept[keyOf(row)];

        for (int row = rowCount() - 1; row >= 0; --row) {
            const Key key = keyOf(m_rows[row]);
            int& have = kept[key];
            if (have <= wantedCount.value(key))
                continue;
            --have;
            beginRemoveRows({}, row, row);
            m_rows.remove(row);
            endRemoveRows();
        }
    }

    QList<Row> m_rows;
};

} // namespace velk::lists
