#include "platform/core/Clock.h"
#include "platform/processes/ProcessListTool.h"
#include "platform/processes/ProcessProbe.h"
#include "platform/processes/ProcessTable.h"

#include "support/TempTree.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using velk::platform::processes::processListOutput;
using velk::platform::tools::ToolRequest;

namespace {

const QStringList kListArguments{"-axo", "pid=,ppid=,user=,pcpu=,rss=,comm="};

ToolRequest listRequest(const QStringList& arguments = kListArguments)
{
    ToolRequest request;
    request.tool = "/bin/ps";
    request.arguments = arguments;
    return request;
}

// Fields of the line for `pid`: pid ppid user pcpu rss comm (comm may hold
// blanks and is returned whole).
QStringList lineFor(const QByteArray& output, int pid)
{
    static const QRegularExpression row(R"(^ *(\S+) +(\S+) +(\S+) +(\S+) +(\S+) (.*)$)");
    for (const QByteArray& raw : output.split('\n')) {
        const auto m = row.match(QString::fromUtf8(raw));
        if (m.hasMatch() && m.captured(1) == QString::number(pid))
            return m.capturedTexts().mid(1);
    }
    return {};
}

TEST(ProcessListTool, AgreesWithTheSystemToolAboutThisProcess)
{
    const int self = static_cast<int>(::getpid());
    QProcess ps;
    ps.start("ps", {"-o", "pid=,ppid=,user=,rss=", "-p", QString::number(self)});
    ASSERT_TRUE(ps.waitForFinished(10000));
    const QStringList real = QString::fromUtf8(ps.readAllStandardOutput()).split(u' ', Qt::SkipEmptyParts);
    ASSERT_EQ(real.size(), 4);

    const auto result = processListOutput(listRequest(), "/proc");
    ASSERT_TRUE(result.launched);
    EXPECT_EQ(result.exitStatus, 0);
    const QStringList ours = lineFor(result.output, self);
    ASSERT_EQ(ours.size(), 6) << result.output.constData();
    EXPECT_EQ(ours[0], real[0]);
    EXPECT_EQ(ours[1], real[1]);
    EXPECT_EQ(ours[2], real[2]);
    // Resident memory moves a little between the two readings.
    const double ourRss = ours[4].toDouble();
    const double realRss = real[3].toDouble();
    EXPECT_GT(ourRss, 0);
    EXPECT_NEAR(ourRss, realRss, realRss * 0.25 + 1024);
    // The full path of the executable.
    EXPECT_EQ(ours[5], QFileInfo("/proc/self/exe").symLinkTarget());

    // Every line starts with a pid, and pids come in order.
    int last = 0;
    for (const QByteArray& line : result.output.split('\n')) {
        if (line.isEmpty())
            continue;
        const int pid = line.trimmed().split(' ').first().toInt();
        EXPECT_GT(pid, last);
        last = pid;
    }
}

// A small idle process, whose resident size stands still: the list, the
// probe's rows and the kernel's exact count (VmRSS) agree to the kilobyte.
TEST(ProcessListTool, TheResidentSizeIsTheKernelsExactCount)
{
    const pid_t child = ::fork();
    if (child == 0) {
        for (;;)
            ::pause();
    }
    ASSERT_GT(child, 0);
    const auto vmRss = [child] {
        QFile status("/proc/" + QString::number(child) + "/status");
        status.open(QIODevice::ReadOnly);
        return QRegularExpression(R"(VmRSS:\s+(\d+) kB)").match(QString::fromLatin1(status.readAll())).captured(1);
    };
    // The child settles once it waits in pause(): its size is read until
    // it stays the same across the readings of the list and the probe.
    QString before, listed, after;
    std::uint64_t probed = 0;
    for (int attempt = 0; attempt < 100 && (before.isEmpty() || before != after); ++attempt) {
        before = vmRss();
        listed = lineFor(processListOutput(listRequest(), "/proc").output, child).value(4);
        const auto rows = velk::platform::processes::ProcessProbe::createDefault()->processList();
        const auto row = std::find_if(rows->begin(), rows->end(), [&](const auto& r) { return r.pid == child; });
        probed = row != rows->end() ? row->rssBytes : 0;
        after = vmRss();
    }
    ASSERT_FALSE(before.isEmpty());
    ASSERT_EQ(before, after) << "the child's size did not settle";
    EXPECT_EQ(listed, before);
    EXPECT_EQ(probed, before.toULongLong() * 1024);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

// A launcher (a shell, run under the short name "tool") that execs its
// program under the same short name: the table shows the program once the
// process runs it. Each reading waits until the process sleeps, its program
// loaded whole.
TEST(ProcessTable, ALauncherThatExecsItsProgramIsShownAsTheProgram)
{
    velk::test::TempTree tree;
    const QString shell = QFileInfo("/bin/sh").canonicalFilePath();
    const QString program = QFileInfo("/bin/sleep").canonicalFilePath();
    QProcess launcher;
    launcher.start(tree.link("launcher/tool", shell),
                   {"-c", "read line; exec \"$0\" 600", tree.link("program/tool", program)});
    ASSERT_TRUE(launcher.waitForStarted());
    const QString proc = "/proc/" + QString::number(launcher.processId());
    const auto sleepsIn = [&](const QString& executable) {
        for (QDeadlineTimer deadline(30000); !deadline.hasExpired();
             std::this_thread::sleep_for(std::chrono::milliseconds(1))) {
            QFile stat(proc + "/stat");
            if (QFileInfo(proc + "/exe").symLinkTarget() == executable && stat.open(QIODevice::ReadOnly)
                && stat.readAll().contains(") S "))
                return true;
        }
        return false;
    };
    velk::platform::processes::ProcessTable table("/proc");
    const auto commandNow = [&] {
        for (const auto& record : table.read(false)) {
            if (record.pid == launcher.processId())
                return record.command;
        }
        return std::string();
    };

    ASSERT_TRUE(sleepsIn(shell));
    EXPECT_EQ(commandNow(), shell.toStdString());
    launcher.write("\n");
    ASSERT_TRUE(launcher.waitForBytesWritten());
    ASSERT_TRUE(sleepsIn(program));
    EXPECT_EQ(commandNow(), program.toStdString());
    launcher.kill();
    launcher.waitForFinished();
}

class FixtureProcTree : public ::testing::Test {
protected:
    velk::test::TempTree tree;

    void process(int pid, const QByteArray& stat, const QByteArray& status, const QByteArray& cmdline = {})
    {
        const QString dir = "proc/" + QString::number(pid) + '/';
        tree.fileWithContent(dir + "stat", stat);
        tree.fileWithContent(dir + "status", status);
        tree.fileWithContent(dir + "statm", "1000 300 100 1 0 50 0\n");
        tree.fileWithContent(dir + "cmdline", cmdline);
    }

    QString proc() const { return tree.path("proc"); }
};

TEST_F(FixtureProcTree, WritesOneLinePerProcessWithTheBestPathItHas)
{
    tree.fileWithContent("proc/uptime", "1000.00 4000.00\n");
    // Linked executable (with a blank in its path), first argument, short name.
    process(40, "40 (My App) S 1 40 40 0 -1 0 0 0 0 0 3000 1000 0 0 20 0 4 0 50000 0 256 0\n", "Name:\tMy App\nUid:\t0\t0\t0\t0\n");
    tree.link("proc/40/exe", "/opt/My App/bin/my app (deleted)");
    process(7, "7 (bash) S 40 7 7 0 -1 0 0 0 0 0 10 10 0 0 20 0 1 0 100 0 100 0\n", "Uid:\t1000\t0\t0\t0\n",
            QByteArray("/usr/bin/bash\0-l\0", 16));
    process(2, "2 (kworker/0:1-events) I 0 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0 0\n", "Uid:\t0\t0\t0\t0\n");
    process(9, "9 (gone", "");  // ended while being read
    tree.dir("proc/self");
    tree.fileWithContent("proc/meminfo", "MemTotal: 1 kB\n");

    const auto result = processListOutput(listRequest(), proc());
    const QStringList lines = QString::fromUtf8(result.output).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << result.output.constData();
    const qint64 pageKb = ::sysconf(_SC_PAGESIZE) / 1024;

    EXPECT_TRUE(lines[0].trimmed().startsWith("2 "));
    // A kernel thread: no executable, no command line.
    EXPECT_TRUE(lines[0].endsWith(QString::fromUtf8(" [kworker\u22150:1-events]"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].trimmed().startsWith("7 "));
    EXPECT_TRUE(lines[1].endsWith(" /usr/bin/bash"));
    EXPECT_EQ(lines[1].split(u' ', Qt::SkipEmptyParts)[2], "root");  // the effective user
    // 40 s of CPU over 500 s of life: 8 percent; 300 pages resident, as
    // statm counts them exactly (stat's lagging count says 256).
    const QStringList app = lines[2].split(u' ', Qt::SkipEmptyParts);
    EXPECT_EQ(app[0], "40");
    EXPECT_EQ(app[1], "1");
    EXPECT_EQ(app[2], "root");
    EXPECT_EQ(app[3], "8.0");
    EXPECT_EQ(app[4], QString::number(300 * pageKb));
    EXPECT_TRUE(lines[2].endsWith(" /opt/My App/bin/my app"));
}

TEST_F(FixtureProcTree, ShortNamesAndOddPathsStayOneCellOfOneLine)
{
    // No readable executable and a first argument that is no path: the short
    // name, its "/" written so that it is not taken for a path.
    process(30, "30 (tool/x) S 1 30 30 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0 0\n", "Uid:\t0\t0\t0\t0\n",
            QByteArray("tool\0--run\0", 11));
    // An executable whose file name holds a line break and a made-up row.
    process(31, "31 (evil) S 1 31 31 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0 0\n", "Uid:\t0\t0\t0\t0\n");
    tree.link("proc/31/exe", "/tmp/evil\n    1     0 root 0.0 0 /sbin/init\tx");

    const auto result = processListOutput(listRequest(), proc());
    const QStringList lines = QString::fromUtf8(result.output).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << result.output.constData();
    EXPECT_TRUE(lines[0].endsWith(QString::fromUtf8(" tool\u2215x"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(" /tmp/evil?    1     0 root 0.0 0 /sbin/init?x")) << lines[1].toStdString();
}

TEST_F(FixtureProcTree, AnswersOnlyTheProcessListForm)
{
    process(5, "5 (x) S 1 5 5 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0 0\n", "Uid:\t0\t0\t0\t0\n");
    EXPECT_EQ(lineFor(processListOutput(listRequest({"-ax", "-o", "pid=,ppid=,user=,pcpu=,rss=,comm="}), proc()).output, 5).size(), 6);

    const auto headed = processListOutput(listRequest({"-axo", "pid,comm"}), proc());
    EXPECT_TRUE(headed.output.startsWith("    PID COMM\n")) << headed.output.constData();

    for (const QStringList& args : {QStringList{"-axo", "pid=,args="}, QStringList{"-o", "pid="}, QStringList{"-axo"},
                                    QStringList{"aux"}, QStringList{"-axz", "pid="}}) {
        const auto r = processListOutput(listRequest(args), proc());
        EXPECT_TRUE(r.launched);
        EXPECT_EQ(r.exitStatus, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.output.isEmpty());
    }
}

TEST_F(FixtureProcTree, ProbeReadsTimesThreadsAndPrivateMemory)
{
    process(40, "40 (My App) S 1 40 40 0 -1 0 0 0 0 0 3000 1000 0 0 20 0 4 0 50000 0 256 0\n", "");
    const auto probe = velk::platform::processes::ProcessProbe::fromProc(proc());
    const double before = velk::platform::core::secondsSinceBoot();
    const auto usage = probe->usage(40);
    const auto listed = probe->processList();
    const double after = velk::platform::core::secondsSinceBoot();
    EXPECT_EQ(usage.cpuTime, 4000u);
    // Both carry the kernel's uptime clock as it was when they were read.
    ASSERT_TRUE(usage.sampledAt && listed && listed->size() == 1 && listed->at(0).usage.sampledAt);
    EXPECT_TRUE(before <= *usage.sampledAt && *usage.sampledAt <= *listed->at(0).usage.sampledAt
                && *listed->at(0).usage.sampledAt <= after);
    EXPECT_EQ(usage.startTime, 50000u);
    EXPECT_EQ(usage.threads, 4);
    EXPECT_EQ(usage.footprintBytes, 200u * ::sysconf(_SC_PAGESIZE));

    const auto missing = probe->usage(41);
    EXPECT_FALSE(missing.cpuTime || missing.startTime || missing.threads || missing.footprintBytes);
    EXPECT_FALSE(probe->usage(0).cpuTime);
    // Ticks of 1/100 s are 10 ms each whatever the kernel's rate.
    const auto base = probe->timebase();
    EXPECT_EQ(static_cast<double>(base.numer) / base.denom * ::sysconf(_SC_CLK_TCK), 1e9);
}

} // namespace

namespace {

using velk::platform::processes::ProcessRecord;
using velk::platform::processes::ProcessTable;

const ProcessRecord* recordOf(const std::vector<ProcessRecord>& records, int pid)
{
    for (const ProcessRecord& r : records) {
        if (r.pid == pid)
            return &r;
    }
    return nullptr;
}

TEST_F(FixtureProcTree, TheUserIsTheFolderOwnerUnlessRootOwnsItThenTheStatusSays)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    const QByteArray stat = "S 1 50 50 0 -1 0 0 0 0 0 1 1 0 0 20 0 1 0 500 0 10 0\n";
    // A process that may be inspected: its folder belongs to its user, whom
    // the status file names too.
    process(50, "50 (mine) " + stat, "Name:\tmine\nUid:\t65534\t65534\t65534\t65534\n");
    ASSERT_EQ(::chown(QFile::encodeName(tree.path("proc/50")).constData(), 65534, 65534), 0);
    // A process that changed its user: the folder belongs to root, the
    // status file has the effective user.
    process(51, "51 (dropped) " + stat, "Name:\tdropped\nUid:\t0\t65534\t0\t65534\n");
    // Root's own process.
    process(52, "52 (daemon) " + stat, "Name:\tdaemon\nUid:\t0\t0\t0\t0\n");
    // A kernel thread (its flags say so) belongs to root whatever else is there.
    process(53, "53 (kthread) S 2 0 0 0 -1 2097216 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0 0\n", "Uid:\t65534\t65534\t65534\t65534\n");
    tree.link("proc/53/exe", "/usr/bin/not-a-kernel-thread");

    passwd* nobody = ::getpwuid(65534);
    const std::string nobodyName = nobody ? nobody->pw_name : "65534";
    ProcessTable table(tree.path("proc").toStdString());
    const auto records = table.read(true);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(recordOf(records, 50)->uid, 65534u);
    EXPECT_EQ(recordOf(records, 50)->user, nobodyName);
    EXPECT_EQ(recordOf(records, 51)->uid, 65534u);
    EXPECT_EQ(recordOf(records, 52)->user, "root");
    EXPECT_EQ(recordOf(records, 53)->uid, 0u);
    EXPECT_EQ(recordOf(records, 53)->command, "[kthread]");
    EXPECT_EQ(recordOf(records, 50)->footprintBytes, 200u * ::sysconf(_SC_PAGESIZE));
    EXPECT_EQ(recordOf(records, 50)->cpuTicks, 2u);
    EXPECT_EQ(recordOf(records, 50)->startTime, 500u);

    // Without figures, the memory file is not read.
    EXPECT_FALSE(recordOf(table.read(false), 50)->footprintBytes);
}

// The command is read once per program a process runs: again when it runs
// another one (a new start time, short name, or place or size of its code),
// even under the same short name, as a launcher script that execs its program.
TEST_F(FixtureProcTree, TheCommandIsReadAgainOnlyWhenTheProcessRunsAnotherProgram)
{
    // Fields of stat from the state on; the last three are where the code
    // starts and ends and the stack starts ("1 1 0" for a process that may
    // not be inspected).
    const auto stat = [](const char* comm, const char* rest) {
        return QByteArray("60 (") + comm + ") " + rest + '\n';
    };
    const char* launcher = "S 1 60 60 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 700 0 10 0 4194304 4300000 140730000000000";
    const char* program = "S 1 60 60 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 700 0 10 0 4194304 4300000 140731111111111";
    const char* reused = "S 1 60 60 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 900 0 10 0 4194304 4300000 140732222222222";
    const char* hidden = "S 1 60 60 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 950 0 10 0 1 1 0";
    const char* zombie = "Z 1 60 60 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 950 0 0 0 0 0 0";
    const QByteArray shellArgs = QByteArray("/bin/sh") + '\0' + "/usr/bin/app" + '\0';
    const QByteArray programArgs = QByteArray("/usr/lib/app/app") + '\0';
    struct Pass {
        const char* what;
        QByteArray stat;
        QString exe;  // none when empty
        QByteArray cmdline;
        QByteArray statm;
        std::string command;
    };
    const Pass passes[] = {
        {"first seen", stat("app", launcher), "/usr/bin/dash", shellArgs, "900 30 10 20 0 50 0\n", "/usr/bin/dash"},
        {"the same program: nothing read again", stat("app", launcher), "/usr/bin/other", shellArgs,
         "900 30 10 20 0 50 0\n", "/usr/bin/dash"},
        {"another program of the same short name", stat("app", program), "/usr/lib/app/app", programArgs,
         "900 30 10 20 0 50 0\n", "/usr/lib/app/app"},
        {"another short name", stat("tool", program), "/usr/bin/tool", {}, "900 30 10 20 0 50 0\n", "/usr/bin/tool"},
        {"another start time", stat("tool", reused), "/usr/bin/third", {}, "900 30 10 20 0 50 0\n", "/usr/bin/third"},
        {"not to be inspected", stat("app", hidden), {}, shellArgs, "900 30 10 20 0 50 0\n", "/bin/sh"},
        {"not to be inspected, its code of another size", stat("app", hidden), {}, programArgs,
         "900 30 10 700 0 50 0\n", "/usr/lib/app/app"},
        {"ended, waiting to be reaped", stat("app", zombie), {}, {}, "0 0 0 0 0 0 0\n", "[app]"},
    };

    process(60, passes[0].stat, "Uid:\t0\t0\t0\t0\n");
    ProcessTable table(tree.path("proc").toStdString());
    for (const Pass& pass : passes) {
        SCOPED_TRACE(pass.what);
        tree.fileWithContent("proc/60/stat", pass.stat);
        tree.fileWithContent("proc/60/cmdline", pass.cmdline);
        tree.fileWithContent("proc/60/statm", pass.statm);
        QFile::remove(tree.path("proc/60/exe"));
        if (!pass.exe.isEmpty())
            tree.link("proc/60/exe", pass.exe);
        const auto records = table.read(false);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].command, pass.command);
    }
}

// A pass over many processes takes a while: each process's CPU time comes
// with the clock's reading taken when that process was read.
TEST_F(FixtureProcTree, EachProcessCarriesTheTimeItWasReadAt)
{
    for (const int pid : {90, 91})
        process(pid, QByteArray::number(pid) + " (spin) R 1 1 1 0 -1 0 0 0 0 0 7 3 0 0 20 0 1 0 5 0 10 0\n", "");
    double now = 100.0;
    ProcessTable table(tree.path("proc").toStdString(), [&now] { return now += 0.5; });
    std::vector<double> times;
    for (int pass = 0; pass < 2; ++pass) {
        for (const ProcessRecord& record : table.read(false))
            times.push_back(record.sampledAt);
    }
    EXPECT_EQ(times, (std::vector<double>{100.5, 101.0, 101.5, 102.0}));
}

TEST_F(FixtureProcTree, FilesLargerThanOneReadAreReadWhole)
{
    // A status file with a long group list puts the user far past 4 KiB.
    QByteArray status = "Name:\tbig\nGroups:\t";
    for (int i = 0; i < 2000; ++i)
        status += QByteArray::number(100000 + i) + ' ';
    status += "\nUid:\t0\t65534\t0\t0\n";
    process(70, "70 (big) S 1 70 70 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0 0\n", status);
    ProcessTable table(tree.path("proc").toStdString());
    EXPECT_EQ(table.read(false).at(0).uid, 65534u);
}


// A CPU figure too long for a small buffer (here from a life of a picosecond)
// is written whole, never as whatever the buffer held.
TEST_F(FixtureProcTree, AnAbsurdCpuFigureIsStillOneWellFormedCell)
{
    const long hz = ::sysconf(_SC_CLK_TCK);
    tree.fileWithContent("proc/uptime", "1.000000000001 4.00\n");
    process(80, "80 (spin) R 1 80 80 0 -1 0 0 0 0 0 9000000000000000000 9000000000000000000 0 0 20 0 1 0 "
                    + QByteArray::number(static_cast<qlonglong>(hz)) + " 0 10 0\n",
            "Uid:\t0\t0\t0\t0\n");
    tree.link("proc/80/exe", "/usr/bin/spin");

    const auto result = processListOutput(listRequest(), proc());
    const QStringList fields = lineFor(result.output, 80);
    ASSERT_EQ(fields.size(), 6) << result.output.toStdString();
    EXPECT_TRUE(QRegularExpression("^[0-9]{30,}\\.[0-9]$").match(fields[3]).hasMatch()) << fields[3].toStdString();
    EXPECT_EQ(fields[4], QString::number(300 * ::sysconf(_SC_PAGESIZE) / 1024));  // statm's resident size
    EXPECT_EQ(fields[5], "/usr/bin/spin");
}

// A user name with a blank (as a directory service may give) would split
// its cell and shift every column after it: the uid stands in for it. The
// name comes from a password file mounted over the system's in a child of
// its own, the only way to have such a user without changing the machine.
TEST_F(FixtureProcTree, AUserNameThatWouldSplitItsCellIsWrittenAsTheUid)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting over the password file needs root";
    const QByteArray stat = "S 1 90 90 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 10 0\n";
    process(90, "90 (shared) " + stat, "Uid:\t4242\t4242\t4242\t4242\n");
    ASSERT_EQ(::chown(QFile::encodeName(tree.path("proc/90")).constData(), 4242, 4242), 0);
    process(91, "91 (local) " + stat, "Uid:\t4243\t4243\t4243\t4243\n");
    ASSERT_EQ(::chown(QFile::encodeName(tree.path("proc/91")).constData(), 4243, 4243), 0);
    const QString passwd = tree.fileWithContent("passwd", "root:x:0:0:root:/root:/bin/sh\n"
                                                          "john smith:x:4242:4242::/nonexistent:/bin/false\n"
                                                          "jsmith:x:4243:4243::/nonexistent:/bin/false\n");
    const QString answer = tree.path("answer");

    const pid_t child = ::fork();
    if (child == 0) {
        const bool isolated = ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
                              && ::mount(QFile::encodeName(passwd).constData(), "/etc/passwd", nullptr, MS_BIND, nullptr) == 0;
        if (!isolated)
            ::_exit(2);
        QFile out(answer);
        if (!out.open(QIODevice::WriteOnly) || out.write(processListOutput(listRequest(), proc()).output) < 0)
            ::_exit(3);
        out.close();
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    QFile in(answer);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray output = in.readAll();
    for (const QByteArray& line : output.split('\n')) {
        if (!line.isEmpty()) {
            EXPECT_EQ(QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts).size(), 6) << line.constData();
        }
    }
    const QStringList shared = lineFor(output, 90);
    ASSERT_EQ(shared.size(), 6) << output.constData();
    EXPECT_EQ(shared[2], "4242");
    EXPECT_EQ(shared[5], "[shared]");
    EXPECT_EQ(lineFor(output, 91).value(2), "jsmith");
}

} // namespace
