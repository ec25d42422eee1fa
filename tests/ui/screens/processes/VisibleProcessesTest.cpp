#include "support/FakeMonitorSources.h"
#include "ui/screens/processes/ProcessRowText.h"
#include "ui/screens/processes/VisibleProcesses.h"

namespace velk::test {
namespace {

using screens::ProcessFilter;
using screens::pidsOf;
using screens::visibleProcesses;

std::vector<qint32> shown(const std::vector<monitor::ProcInfo>& processes, const ProcessFilter& filter,
                          const monitor::PortListMap& listening = {})
{
    const QList<qint32> pids = pidsOf(visibleProcesses(processes, listening, filter));
    return {pids.cbegin(), pids.cend()};
}

TEST(VisibleProcesses, SearchFindsNamesPathsAndPids)
{
    std::vector<monitor::ProcInfo> list = {proc(812, 1, 1, "/usr/sbin/sshd"), proc(77, 1, 1, "/opt/812/agent"),
                                  proc(90, 1, 1, "/usr/bin/Python3"), proc(5, 1, 1, "/usr/lib/systemd/journald")};
    EXPECT_EQ(shown(list, {monitor::ProcSort::pid, "   ", false}), (std::vector<qint32>{812, 90, 77, 5}));
    EXPECT_EQ(shown(list, {monitor::ProcSort::pid, "\n python \t", false}), (std::vector<qint32>{90}));
    // A path hit when the name does not hold the text.
    EXPECT_EQ(shown(list, {monitor::ProcSort::pid, "SYSTEMD", false}), (std::vector<qint32>{5}));
    // A number finds its pid and every name or path holding the digits.
    EXPECT_EQ(shown(list, {monitor::ProcSort::pid, "812", false}), (std::vector<qint32>{812, 77}));
    EXPECT_EQ(shown(list, {monitor::ProcSort::pid, "+90", false}), (std::vector<qint32>{90}));
    EXPECT_EQ(shown(list, {monitor::ProcSort::pid, "+812", false}), (std::vector<qint32>{812}));
    EXPECT_TRUE(shown(list, {monitor::ProcSort::pid, "user", false}).empty());
}

TEST(VisibleProcesses, ListeningFilterKeepsProcessesWithPortsOnly)
{
    std::vector<monitor::ProcInfo> list = {proc(1), proc(2), proc(3)};
    // Before the first socket sample nothing listens.
    EXPECT_TRUE(shown(list, {monitor::ProcSort::cpu, "", true}).empty());
    const monitor::PortListMap ports{{3, {22}}, {2, {80, 443}}, {99, {53}}};
    EXPECT_EQ(shown(list, {monitor::ProcSort::cpu, "", true}, ports), (std::vector<qint32>{2, 3}));
    EXPECT_EQ(shown(list, {monitor::ProcSort::cpu, "", false}, ports), (std::vector<qint32>{1, 2, 3}));
}

// Every key with ties: processes that compare equal keep the monitor's order.
TEST(VisibleProcesses, EachSortKeepsTiesInTheMonitorsOrder)
{
    std::vector<monitor::ProcInfo> list;
    const auto add = [&list](qint32 pid, const QString& name, double cpu, std::optional<quint64> memory,
                             std::optional<int> threads) {
        monitor::ProcInfo p = proc(pid, 1, 1, "/bin/" + name);
        p.cpu = cpu;
        p.memoryBytes = memory;
        p.threads = threads;
        list.push_back(p);
    };
    add(30, "beta", 5.0, 0, std::nullopt);
    add(10, "Alpha", 9.0, std::nullopt, 4);
    add(40, "alpha", 5.0, 200, 0);
    add(20, "BETA", 9.0, 100, 4);
    add(50, "gamma", 0.0, std::nullopt, std::nullopt);

    EXPECT_EQ(shown(list, {monitor::ProcSort::cpu, "", false}), (std::vector<qint32>{10, 20, 30, 40, 50}));
    // An absent footprint counts as 0 and ties with a zero footprint.
    EXPECT_EQ(shown(list, {monitor::ProcSort::mem, "", false}), (std::vector<qint32>{40, 20, 30, 10, 50}));
    // An absent thread count sinks below 0.
    EXPECT_EQ(shown(list, {monitor::ProcSort::threads, "", false}), (std::vector<qint32>{10, 20, 40, 30, 50}));
    EXPECT_EQ(shown(list, {monitor::ProcSort::pid, "", false}), (std::vector<qint32>{50, 40, 30, 20, 10}));
    // Names that differ only in case are equal.
    EXPECT_EQ(shown(list, {monitor::ProcSort::name, "", false}), (std::vector<qint32>{10, 40, 30, 20, 50}));
}

TEST(ProcessRowText, IdentityAndPortBadge)
{
    EXPECT_EQ(screens::processIdentityText(812, 14, "root"), QStringLiteral("PID 812 · T 14 · \u2068root\u2069"));
    EXPECT_EQ(screens::processIdentityText(7, std::nullopt, "a\u202En"), QStringLiteral("PID 7 · T — · \u2068a<U+202E>n\u2069"));
    EXPECT_EQ(screens::portBadgeText({}), QString());
    EXPECT_EQ(screens::portBadgeText({8080}), QStringLiteral(":8080"));
    EXPECT_EQ(screens::portBadgeText({80, 443, 8443}), QStringLiteral(":80,443"));
}

} // namespace
} // namespace velk::test
