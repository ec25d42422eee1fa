#pragma once

#include "platform/ListModel.h"

#include <QHash>
#include <functional>
#include <utility>
#include <vector>

namespace velk {

// A list of rows keyed by an identity (a pid, a path, an id), brought to
// each new list by update(): rows that went are removed, rows that came
// are inserted, rows that changed place are moved and rows whose values
// changed are announced in runs. The model is never reset, so views keep
// their delegates, scroll position and selection while the figures move.
//
// Rows compare with ==; a key may occur more than once, its rows then
// keep their order among themselves.
template <class Row, class Key>
class KeyedListModel : public ListModel {
public:
    using KeyOf = std::function<Key(const Row&)>;
    using ColumnOf = std::function<QVariant(const Row&, int column)>;

    KeyedListModel(QList<QByteArray> roleNames, KeyOf keyOf, ColumnOf columnOf, QObject* parent = nullptr)
        : ListModel(std::move(roleNames), parent)
        , m_keyOf(std::move(keyOf))
        , m_columnOf(std::move(columnOf))
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }

    const std::vector<Row>& rows() const { return m_rows; }

    // The first row with key `key`, or -1.
    int rowOf(const Key& key) const
    {
        for (std::size_t row = 0; row < m_rows.size(); ++row) {
            if (m_keyOf(m_rows[row]) == key)
                return static_cast<int>(row);
        }
        return -1;
    }

    // Brings the rows to `wanted`, announcing only what differs.
    void update(const std::vector<Row>& wanted)
    {
        const int before = rowCount();
        removeMissing(wanted);

        int changedFrom = 0;
        int changedTo = -1;
        const auto flushChanged = [&] {
            announceChanged(changedFrom, changedTo);
            changedTo = -1;
        };

        for (int i = 0; i < static_cast<int>(wanted.size()); ++i) {
            const Row& next = wanted[static_cast<std::size_t>(i)];
            const Key key = m_keyOf(next);
            if (i < rowCount() && m_keyOf(at(i)) == key) {
                if (!(at(i) == next)) {
                    at(i) = next;
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
                if (m_keyOf(at(j)) == key) {
                    from = j;
                    break;
                }
            }
            if (from >= 0) {
                beginMoveRows({}, from, from, {}, i);
                const bool same = at(from) == next;
                m_rows.erase(m_rows.begin() + from);
                m_rows.insert(m_rows.begin() + i, next);
                endMoveRows();
                if (!same)
                    announceChanged(i, i);
            } else {
                beginInsertRows({}, i, i);
                m_rows.insert(m_rows.begin() + i, next);
                endInsertRows();
            }
        }
        flushChanged();

        if (rowCount() != before)
            emit countChanged();
    }

protected:
    QVariant column(int row, int column) const override
    {
        return m_columnOf(m_rows[static_cast<std::size_t>(row)], column);
    }

private:
    Row& at(int row) { return m_rows[static_cast<std::size_t>(row)]; }

    // Rows whose key occurs fewer times in the new list than in the model
    // go, the surplus from the end, so every row left has a place in it.
    void removeMissing(const std::vector<Row>& wanted)
    {
        QHash<Key, int> wantedCount;
        for (const Row& row : wanted)
            ++wantedCount[m_keyOf(row)];
        QHash<Key, int> kept;
        for (const Row& row : m_rows)
            ++kept[m_keyOf(row)];

        for (int row = rowCount() - 1; row >= 0; --row) {
            const Key key = m_keyOf(at(row));
            int& have = kept[key];
            if (have <= wantedCount.value(key))
                continue;
            --have;
            beginRemoveRows({}, row, row);
            m_rows.erase(m_rows.begin() + row);
            endRemoveRows();
        }
    }

    KeyOf m_keyOf;
    ColumnOf m_columnOf;
    std::vector<Row> m_rows;
};

} // namespace velk
