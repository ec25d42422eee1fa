#include "common/lists/ListModel.h"

#include <QHash>
#include <utility>

namespace velk::lists {

ListModel::ListModel(QList<QByteArray> roleNames, QObject* parent)
    : QAbstractListModel(parent)
    , m_roleNames(std::move(roleNames))
{
}

QHash<int, QByteArray> ListModel::roleNames() const
{
    QHash<int, QByteArray> names;
    for (int i = 0; i < columnCount(); ++i)
        names.insert(firstRole + i, m_roleNames[i]);
    return names;
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int col = role - firstRole;
    if (col < 0 || col >= columnCount())
        return {};
    return column(index.row(), col);
}

int ListModel::roleForName(const QByteArray& name) const
{
    const auto at = m_roleNames.indexOf(name);
    return at < 0 ? -1 : firstRole + static_cast<int>(at);
}

QVariantMap ListModel::get(int row) const
{
    QVariantMap values;
    if (row < 0 || row >= rowCount())
        return values;
    for (int col = 0; col < columnCount(); ++col)
        values.insert(QString::fromLatin1(m_roleNames[col]), column(row, col));
    return values;
}

void ListModel::announceChanged(int first, int last)
{
    if (first <= last)
        emit dataChanged(index(first), index(last));
}

} // namespace velk::lists
