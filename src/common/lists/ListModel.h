#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>
#include <QVariantMap>

namespace velk::lists {

// The part every list the screens show shares: roles numbered from
// firstRole in the order of one table of names, a `count` that views can
// bind, and `get(row)` for a delegate that wants a whole row at once.
// Subclasses keep the rows and answer data() per column.
class ListModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
public:
    static constexpr int firstRole = Qt::UserRole + 1;

    // `roleNames` names the columns, column i being role firstRole + i.
    explicit ListModel(QList<QByteArray> roleNames, QObject* parent = nullptr);

    QHash<int, QByteArray> roleNames() const override;
    QVariant data(const QModelIndex& index, int role) const final;

    int columnCount() const { return static_cast<int>(m_roleNames.size()); }
    // The role named `name`, or -1.
    int roleForName(const QByteArray& name) const;

    // Every column of a row by role name; empty for a row out of range.
    Q_INVOKABLE QVariantMap get(int row) const;

signals:
    void countChanged();

protected:
    // Column `column` (0 to columnCount() - 1) of a row known to exist.
    virtual QVariant column(int row, int column) const = 0;

    // Announces a change of rows first..last, nothing for an empty run.
    void announceChanged(int first, int last);

private:
    QList<QByteArray> m_roleNames;
};

} // namespace velk::lists
