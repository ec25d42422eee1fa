#include "engine/monitor/ProcessListModel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace velk::test {
namespace {

monitor::ProcInfo row(qint32 pid, double cpu = 0.0)
{
    monitor::ProcInfo p;
    p.pid = pid;
    p.name = QStringLiteral("p%1").arg(pid);
    p.cpu = cpu;
    return p;
}

class ProcessListModelTest : public ::testing::Test {
protected:
    monitor::ProcessListModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    QSignalSpy resets{&model, &QAbstractItemModel::modelReset};
    QSignalSpy inserted{&model, &QAbstractItemModel::rowsInserted};
    QSignalSpy removed{&model, &QAbstractItemModel::rowsRemoved};
    QSignalSpy moved{&model, &QAbstractItemModel::rowsMoved};
    QSignalSpy changed{&model, &QAbstractItemModel::dataChanged};

    std::vector<qint32> pids() const
    {
        std::vector<qint32> result;
        for (int r = 0; r < model.rowCount(); ++r)
            result.push_back(model.data(model.index(r), monitor::ProcessListModel::PidRole).toInt());
        return result;
    }
    void clearSpies()
    {
        for (QSignalSpy* spy : {&inserted, &removed, &moved, &changed})
            spy->clear();
    }
};

TEST_F(ProcessListModelTest, TicksAreAnnouncedByPidWithoutResets)
{
    model.update({row(1), row(2), row(3)});
    EXPECT_EQ(pids(), std::vector<qint32>({1, 2, 3}));
    EXPECT_EQ(model.property("count").toInt(), 3);
    const QPersistentModelIndex third = model.index(2);
    clearSpies();

    // Only figures change: one change for the changed run of rows, nothing else.
    model.update({row(1), row(2, 5.0), row(3, 7.0)});
    EXPECT_EQ(inserted.size() + removed.size() + moved.size(), 0);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>().row(), 1);
    EXPECT_EQ(changed[0][1].value<QModelIndex>().row(), 2);
    EXPECT_DOUBLE_EQ(model.data(third, monitor::ProcessListModel::CpuRole).toDouble(), 7.0);
    clearSpies();

    // 2 exits, 4 starts, 3 moves to the front: the row of 3 is kept.
    model.update({row(3, 7.0), row(1), row(4)});
    EXPECT_EQ(pids(), std::vector<qint32>({3, 1, 4}));
    EXPECT_EQ(removed.size(), 1);
    EXPECT_EQ(inserted.size(), 1);
    EXPECT_EQ(moved.size(), 1);
    EXPECT_TRUE(changed.isEmpty());
    ASSERT_TRUE(third.isValid());
    EXPECT_EQ(third.row(), 0);
    EXPECT_EQ(model.data(third, monitor::ProcessListModel::PidRole).toInt(), 3);

    model.update({});
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(resets.size(), 0);
}

TEST_F(ProcessListModelTest, RepeatedPidsKeepOneRowEach)
{
    model.update({row(5), row(5, 1.0), row(6)});
    EXPECT_EQ(pids(), std::vector<qint32>({5, 5, 6}));
    model.update({row(6), row(5, 2.0)});
    EXPECT_EQ(pids(), std::vector<qint32>({6, 5}));
    EXPECT_DOUBLE_EQ(model.data(model.index(1), monitor::ProcessListModel::CpuRole).toDouble(), 2.0);
    model.update({row(5), row(6), row(5), row(5)});
    EXPECT_EQ(pids(), std::vector<qint32>({5, 6, 5, 5}));
}

TEST_F(ProcessListModelTest, UnknownFiguresAreUndefinedForTheScreens)
{
    monitor::ProcInfo known = row(7);
    known.memoryBytes = 1500000000;
    known.threads = 4;
    known.cpuAvailable = true;
    known.cpu = 12.34;
    known.path = QStringLiteral("/Applications/Foo.app/Contents/MacOS/Foo");
    model.update({row(8), known});

    const QModelIndex unknown = model.index(0);
    EXPECT_FALSE(model.data(unknown, monitor::ProcessListModel::MemoryBytesRole).isValid());
    EXPECT_FALSE(model.data(unknown, monitor::ProcessListModel::ThreadsRole).isValid());
    EXPECT_FALSE(model.data(unknown, monitor::ProcessListModel::BundlePathRole).isValid());
    EXPECT_EQ(model.data(unknown, monitor::ProcessListModel::CpuTextRole).toString(), QStringLiteral("—"));

    const QModelIndex at = model.index(1);
    EXPECT_EQ(model.data(at, monitor::ProcessListModel::MemoryBytesRole).toULongLong(), 1500000000u);
    EXPECT_EQ(model.data(at, monitor::ProcessListModel::ThreadsRole).toInt(), 4);
    EXPECT_EQ(model.data(at, monitor::ProcessListModel::MemoryTextRole).toString(), QStringLiteral("1.50 GB"));
    EXPECT_EQ(model.data(at, monitor::ProcessListModel::CpuTextRole).toString(), QStringLiteral("12.3%"));
    EXPECT_EQ(model.data(at, monitor::ProcessListModel::BundlePathRole).toString(), QStringLiteral("/Applications/Foo.app"));
    EXPECT_TRUE(model.roleNames().values().contains("memoryText"));
}

} // namespace
} // namespace velk::test
