#include "support/FakeMonitorSources.h"

#include <QMetaProperty>

namespace velk::test {
namespace {

class SystemMonitorValues : public MonitorTest {
protected:
    QVariant read(const char* name) { return monitor().property(name); }

    // Calls an invokable taking a pid, as the screens do.
    template <class R>
    R call(const char* method, qint32 pid)
    {
        R result{};
        const bool ok = QMetaObject::invokeMethod(&monitor(), method, Qt::DirectConnection,
                                                  QReturnArgument<R>(QMetaType::fromType<R>().name(), result),
                                                  Q_ARG(qint32, pid));
        EXPECT_TRUE(ok) << method;
        return result;
    }
};

TEST_F(SystemMonitorValues, EveryPublishedMemberIsAPropertyThatNotifiesOrIsConstant)
{
    const QMetaObject* meta = monitor().metaObject();
    for (const char* name : {"cpuUsage", "cpuUser", "cpuSystem", "cpuIdle", "cpuHistory", "memStats", "diskInfo",
                             "uptime", "thermalStats", "hasSocketData", "machPortsUpdatedAt", "selectedPid",
                             "portsEnabled", "foreground", "listeningSockets"}) {
        const QMetaProperty property = meta->property(meta->indexOfProperty(name));
        ASSERT_TRUE(property.isValid()) << name;
        EXPECT_TRUE(property.hasNotifySignal()) << name;
    }
    for (const char* name : {"cpuCores", "historyLength", "processModel"}) {
        const QMetaProperty property = meta->property(meta->indexOfProperty(name));
        ASSERT_TRUE(property.isValid()) << name;
        EXPECT_TRUE(property.isConstant()) << name;
    }
    // Whole lists and maps that QML could not read are C++ getters only; the
    // screens reach them through the process list and the queries by pid.
    for (const char* name : {"processes", "sockets", "cpuHistoryByPid", "memHistoryByPid", "machPortCounts"})
        EXPECT_LT(meta->indexOfProperty(name), 0) << name;
    EXPECT_TRUE(meta->property(meta->indexOfProperty("selectedPid")).isWritable());
    EXPECT_TRUE(meta->property(meta->indexOfProperty("portsEnabled")).isWritable());
    EXPECT_EQ(read("historyLength").toInt(), 30);
    for (const char* method : {"sample()", "setForeground(bool)", "setHeavyEnabled(bool)",
                               "refreshDiskAfterCleanup()", "listeningPorts(qint32)", "relationsOf(qint32)",
                               "process(qint32)", "cpuHistoryOf(qint32)", "memHistoryOf(qint32)",
                               "machPortCount(qint32)"})
        EXPECT_GE(meta->indexOfMethod(method), 0) << method;
}

TEST_F(SystemMonitorValues, RecordsReadAsMapsWithUnknownValuesUndefined)
{
    EXPECT_FALSE(read("thermalStats").toMap().value("cpuCelsius").isValid());
    EXPECT_DOUBLE_EQ(read("diskInfo").toMap().value("usedPercent").toDouble(), 0.0);

    sources->nextMemory.total = 1000;
    sources->nextMemory.used = 250;
    sources->nextDisk = {4 * 1024 * 1024, 1024 * 1024};
    sources->nextThermal.cpuCelsius = 47.25;
    sources->nextThermal.fans = {{2, 1850, 0}};
    tick();

    const QVariantMap memory = read("memStats").toMap();
    EXPECT_EQ(memory.value("total").toULongLong(), 1000u);
    EXPECT_DOUBLE_EQ(memory.value("usedPercent").toDouble(), 0.25);
    const QVariantMap disk = read("diskInfo").toMap();
    EXPECT_DOUBLE_EQ(disk.value("usedPercent").toDouble(), 0.75);
    EXPECT_EQ(disk.value("formattedFree").toString(), monitor().diskInfo().formattedFree());
    EXPECT_EQ(disk.value("formattedUsed").toString(), monitor().diskInfo().formattedUsed());
    const QVariantMap thermal = read("thermalStats").toMap();
    EXPECT_DOUBLE_EQ(thermal.value("cpuCelsius").toDouble(), 47.25);
    const QVariantList fans = thermal.value("fans").toList();
    ASSERT_EQ(fans.size(), 1);
    EXPECT_EQ(fans[0].toMap().value("id").toLongLong(), 2);
    EXPECT_EQ(fans[0].toMap().value("rpm").toLongLong(), 1850);
    EXPECT_DOUBLE_EQ(fans[0].toMap().value("load").toDouble(), 0.0);
}

TEST_F(SystemMonitorValues, SelectedPidIsWrittenAndClearedThroughTheProperty)
{
    EXPECT_FALSE(read("selectedPid").isValid());
    int notified = 0;
    QObject::connect(&monitor(), &monitor::SystemMonitor::selectedPidChanged, [&] { ++notified; });

    EXPECT_TRUE(monitor().setProperty("selectedPid", 42.0));   // numbers come as doubles
    EXPECT_EQ(monitor().selectedPid(), std::optional<qint32>(42));
    EXPECT_EQ(read("selectedPid").toInt(), 42);
    EXPECT_TRUE(monitor().setProperty("selectedPid", QVariant::fromValue(nullptr)));
    EXPECT_EQ(monitor().selectedPid(), std::nullopt);
    monitor().setProperty("selectedPid", 0);
    EXPECT_EQ(monitor().selectedPid(), std::optional<qint32>(0));
    monitor().setProperty("selectedPid", QVariant());
    EXPECT_EQ(monitor().selectedPid(), std::nullopt);
    EXPECT_EQ(notified, 4);
}

TEST_F(SystemMonitorValues, PerProcessQueriesAnswerForTheLastTick)
{
    monitor::ProcInfo parent = proc(1, 0);
    monitor::ProcInfo child = proc(42, 1);
    child.cpuAvailable = true;
    child.cpu = 3.0;
    child.memoryBytes = 2000000;
    sources->nextProcesses = {parent, child};
    sources->nextMachPorts = {{42, 17}};
    sources->nextSockets = {socket(42, "TCP", endpoint("*", 8080), std::nullopt, "LISTEN"),
                            socket(42, "TCP", endpoint("10.0.0.2", 5000), endpoint("1.2.3.4", 443), "ESTABLISHED")};

    std::vector<int> modelCounts;
    QObject::connect(&monitor(), &monitor::SystemMonitor::processesChanged,
                     [&] { modelCounts.push_back(monitor().processModel()->rowCount()); });
    monitor().setPortsEnabled(true);
    exec().runAll();
    EXPECT_EQ(modelCounts, std::vector<int>({2}));   // the rows are in place when the list is announced

    EXPECT_EQ(call<QVariant>("process", qint32(42)).toMap().value("path").toString(), child.path);
    EXPECT_FALSE(call<QVariant>("process", qint32(7)).isValid());
    EXPECT_EQ(call<QVariant>("machPortCount", qint32(42)).toInt(), 17);
    EXPECT_FALSE(call<QVariant>("machPortCount", qint32(1)).isValid());
    EXPECT_EQ(call<std::vector<double>>("cpuHistoryOf", qint32(42)), std::vector<double>({3.0}));
    EXPECT_EQ(call<std::vector<double>>("memHistoryOf", qint32(42)), std::vector<double>({2.0}));
    EXPECT_TRUE(call<std::vector<double>>("cpuHistoryOf", qint32(1)).empty());
    EXPECT_EQ(call<std::vector<int>>("listeningPorts", qint32(42)), std::vector<int>({8080}));

    const QVariantMap relations = call<QVariantMap>("relationsOf", qint32(42));
    EXPECT_EQ(relations.value("parent").toMap().value("pid").toInt(), 1);
    EXPECT_EQ(relations.value("childCount").toInt(), 0);
    const QVariantList hosts = relations.value("remoteHosts").toList();
    ASSERT_EQ(hosts.size(), 1);
    EXPECT_EQ(hosts[0].toMap().value("host").toString(), QStringLiteral("1.2.3.4"));
    EXPECT_EQ(hosts[0].toMap().value("ports").toList(), QVariantList({443}));
    EXPECT_FALSE(call<QVariantMap>("relationsOf", qint32(1)).value("parent").isValid());

    const QVariantList listening = read("listeningSockets").toList();
    ASSERT_EQ(listening.size(), 1);
    const QVariantMap local = listening[0].toMap().value("local").toMap();
    EXPECT_EQ(local.value("port").toInt(), 8080);
    EXPECT_FALSE(listening[0].toMap().value("remote").isValid());
}

} // namespace
} // namespace velk::test
