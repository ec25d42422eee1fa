#include "common/lists/KeyedListModel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace velk::test {
namespace {

struct Entry {
    QString path;
    qint64 size = 0;
    bool operator==(const Entry&) const = default;
};

class EntryModel final : public lists::KeyedListModel<Entry> {
public:
    EntryModel()
        : KeyedListModel({"path", "size"})
    {
    }

protected:
    QString keyOf(const Entry& e) const override { return e.path; }
    QVariant value(const Entry& e, int column) const override { return column == 0 ? QVariant(e.path) : QVariant(e.size); }
};

// Follows the model only through its announcements, the way a view does,
// so a wrong announcement leaves it out of step with the model's rows.
class Mirror {
public:
    explicit Mirror(EntryModel& model)
        : m_model(model)
    {
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, [this](const QModelIndex&, int first, int last) {
            for (int row = first; row <= last; ++row)
                m_rows.insert(row, read(row));
        });
        QObject::connect(&model, &QAbstractItemModel::rowsRemoved, [this](const QModelIndex&, int first, int last) {
            m_rows.remove(first, last - first + 1);
        });
        QObject::connect(&model, &QAbstractItemModel::rowsMoved,
                         [this](const QModelIndex&, int first, int last, const QModelIndex&, int to) {
                             ASSERT_EQ(first, last);
                             const QString moved = m_rows.takeAt(first);
                             m_rows.insert(to > first ? to - 1 : to, moved);
                         });
        QObject::connect(&model, &QAbstractItemModel::dataChanged,
                         [this](const QModelIndex& from, const QModelIndex& to) {
                             for (int row = from.row(); row <= to.row(); ++row)
                                 m_rows[row] = read(row);
                         });
    }
    QStringList rows() const { return m_rows; }

private:
    QString read(int row) const
    {
        const QModelIndex at = m_model.index(row);
        return m_model.data(at, lists::ListModel::firstRole).toString() + u'='
            + m_model.data(at, lists::ListModel::firstRole + 1).toString();
    }

    EntryModel& m_model;
    QStringList m_rows;
};

template <class Entries>
QStringList shown(const Entries& entries)
{
    QStringList result;
    for (const Entry& e : entries)
        result.append(e.path + u'=' + QString::number(e.size));
    return result;
}

class KeyedListModelTest : public ::testing::Test {
protected:
    EntryModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    Mirror mirror{model};
    QSignalSpy resets{&model, &QAbstractItemModel::modelReset};
    QSignalSpy inserted{&model, &QAbstractItemModel::rowsInserted};
    QSignalSpy removed{&model, &QAbstractItemModel::rowsRemoved};
    QSignalSpy moved{&model, &QAbstractItemModel::rowsMoved};
    QSignalSpy changed{&model, &QAbstractItemModel::dataChanged};
    QSignalSpy counted{&model, &lists::ListModel::countChanged};

    void bringTo(const std::vector<Entry>& next)
    {
        for (QSignalSpy* spy : {&inserted, &removed, &moved, &changed, &counted})
            spy->clear();
        model.update(next);
        EXPECT_EQ(mirror.rows(), shown(next));
        EXPECT_EQ(shown(model.rows()), shown(next));
        EXPECT_EQ(resets.size(), 0);
    }
};

TEST_F(KeyedListModelTest, MovesAndChangesAreAnnouncedRowByRowWithoutAReset)
{
    bringTo({{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}});
    EXPECT_EQ(counted.size(), 1);
    const QPersistentModelIndex c = model.index(2);

    // Two neighbouring changes make one run, a distant one its own.
    bringTo({{"a", 1}, {"b", 20}, {"c", 30}, {"d", 4}});
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>().row(), 1);
    EXPECT_EQ(changed[0][1].value<QModelIndex>().row(), 2);
    bringTo({{"a", 10}, {"b", 20}, {"c", 30}, {"d", 40}});
    EXPECT_EQ(changed.size(), 2);
    bringTo({{"a", 10}, {"b", 21}, {"c", 31}, {"d", 41}});
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>().row(), 1);
    EXPECT_EQ(changed[0][1].value<QModelIndex>().row(), 3);
    EXPECT_EQ(counted.size(), 0);

    // A reorder keeps every row: c's index follows it to the front.
    bringTo({{"c", 31}, {"d", 41}, {"a", 10}, {"b", 21}});
    EXPECT_EQ(inserted.size() + removed.size(), 0);
    EXPECT_GE(moved.size(), 1);
    ASSERT_TRUE(c.isValid());
    EXPECT_EQ(c.row(), 0);
    EXPECT_EQ(counted.size(), 0);
}

TEST_F(KeyedListModelTest, ArbitraryListsAreReachedThroughAnnouncementsAlone)
{
    const std::vector<std::vector<Entry>> steps = {
        {{"a", 1}, {"b", 1}, {"c", 1}},
        {{"c", 2}, {"x", 1}, {"a", 1}},
        {},
        {{"b", 1}, {"b", 2}, {"a", 3}, {"b", 4}},
        {{"a", 3}, {"b", 4}},
        {{"e", 1}, {"d", 1}, {"c", 1}, {"b", 4}, {"a", 3}},
        {{"a", 3}, {"b", 5}, {"c", 1}, {"d", 2}, {"e", 1}, {"f", 0}},
    };
    for (const auto& step : steps)
        bringTo(step);
    EXPECT_EQ(model.rowOf(QStringLiteral("d")), 3);
    EXPECT_EQ(model.rowOf(QStringLiteral("zz")), -1);
}

TEST_F(KeyedListModelTest, RolesComeFromOneTable)
{
    bringTo({{"a", 7}});
    const auto names = model.roleNames();
    EXPECT_EQ(names.value(lists::ListModel::firstRole), "path");
    EXPECT_EQ(names.value(lists::ListModel::firstRole + 1), "size");
    EXPECT_EQ(model.roleForName("size"), lists::ListModel::firstRole + 1);
    EXPECT_EQ(model.get(0).value(QStringLiteral("size")).toLongLong(), 7);
    EXPECT_TRUE(model.get(1).isEmpty());
    EXPECT_FALSE(model.data(model.index(0), lists::ListModel::firstRole + 2).isValid());
    EXPECT_EQ(model.property("count").toInt(), 1);
}

} // namespace
} // namespace velk::test
