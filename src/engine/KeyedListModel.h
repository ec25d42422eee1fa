#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QList>

namespace velk {

// A list model of value rows, each known by a key. update() brings the rows
// to a new list by removing, moving, inserting and changing single rows, so
// views keep their delegates, scroll position and focus; it never resets.
// Rows need operator==; keys are expected to be unique (duplicates still
// end in the right list, with more moves).
template <class Row, class Key = QString>
class KeyedListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }

    const QList<Row>& rows() const { return m_rows; }

    void update(const QList<Row>& wanted)
    {
        const int before = rowCount();
        removeSurplus(wanted);
        for (qsizetype i = 0; i < wanted.size(); ++i) {
            const Key key = keyOf(wanted[i]);
            if (i < m_rows.size() && keyOf(m_rows[i]) == key) {
                replace(i, wanted[i]);
                continue;
            }
            qsizetype from = -1;
            for (qsizetype j = i + 1; j < m_rows.size(); ++j) {
                if (keyOf(m_rows[j]) == key) {
                    from = j;
                    break;
                }
            }
            if (from >= 0) {
                beginMoveRows({}, static_cast<int>(from), static_cast<int>(from), {}, static_cast<int>(i));
                m_rows.move(from, i);
                endMoveRows();
                replace(i, wanted[i]);
            } else {
                beginInsertRows({}, static_cast<int>(i), static_cast<int>(i));
                m_rows.insert(i, wanted[i]);
                endInsertRows();
            }
        }
        if (m_rows.size() > wanted.size()) {
            beginRemoveRows({}, static_cast<int>(wanted.size()), rowCount() - 1);
            m_rows.remove(wanted.size(), m_rows.size() - wanted.size());
            endRemoveRows();
        }
        if (rowCount() != before)
            onCountChanged();
    }

protected:
    virtual Key keyOf(const Row& row) const = 0;
    // Called after an update that changed the number of rows.
    virtual void onCountChanged() {}

private:
    void replace(qsizetype i, const Row& row)
    {
        if (m_rows[i] == row)
            return;
        m_rows[i] = row;
        emit dataChanged(index(static_cast<int>(i)), index(static_cast<int>(i)));
    }

    // Rows whose key occurs fewer times in `wanted` than here go, the
    // surplus from the end, so every row left has a place in the new list.
    void removeSurplus(const QList<Row>& wanted)
    {
        QHash<Key, int> room;
        for (const Row& row : wanted)
            ++room[keyOf(row)];
        QHash<Key, int> held;
        for (const Row& row : m_rows)
            ++held[keyOf(row)];
        for (qsizetype i = m_rows.size() - 1; i >= 0; --i) {
            int& count = held[keyOf(m_rows[i])];
            if (count <= room.value(keyOf(m_rows[i])))
                continue;
            --count;
            beginRemoveRows({}, static_cast<int>(i), static_cast<int>(i));
            m_rows.removeAt(i);
            endRemoveRows();
        }
    }

    QList<Row> m_rows;
};

} // namespace velk
