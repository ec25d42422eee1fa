#include "engine/inspection/FileDependencyService.h"
#include "engine/inspection/OpenFileListing.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/tools/ToolRunner.h"
#include "support/FakeToolRunner.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

using namespace velk;
using namespace velk::inspection;
using velk::platform::core::ScopedService;
using velk::platform::tools::ToolRequest;
using velk::platform::tools::ToolRunner;
using velk::test::FakeToolRunner;
using velk::test::TempTree;

namespace {

const QStringList kListingArguments{"-nP", "+c", "0", "-F", "pcn", "--"};

QByteArray fields(std::initializer_list<QByteArray> lines)
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + '\n';
    return out;
}

} // namespace

TEST(OpenFileListingTest, NamesAreEscapedAsTheListingPrintsThem)
{
    using openfiles::escapedName;
    EXPECT_EQ(escapedName("/tmp/plain name.txt"), "/tmp/plain name.txt");
    EXPECT_EQ(escapedName("/tmp/报告 final.txt"), "/tmp/\\xe6\\x8a\\xa5\\xe5\\x91\\x8a final.txt");
    EXPECT_EQ(escapedName("a\nb\tc\rd\be\ff"), "a\\nb\\tc\\rd\\be\\ff");
    EXPECT_EQ(escapedName(QByteArray("\x01\x1b\x7f\\^", 5)), "^A^[\\x7f\\\\^");
    EXPECT_EQ(escapedName("\xff"), "\\xff");
}

TEST(OpenFileListingTest, CommandNamesHaveTheirByteEscapesDecoded)
{
    using openfiles::decodedCommand;
    EXPECT_EQ(decodedCommand("\\xe7\\xbc\\x96\\xe8\\xbe\\x91\\xe5\\x99\\xa8"), QString::fromUtf8("编辑器"));
    EXPECT_EQ(decodedCommand("Web Content"), "Web Content");
    // An escaped backslash is not the start of a byte escape.
    EXPECT_EQ(decodedCommand("a\\\\x41"), "a\\\\x41");
    EXPECT_EQ(decodedCommand("\\x4"), "\\x4");
    EXPECT_EQ(decodedCommand("\\xzz"), "\\xzz");
}

TEST(OpenFileListingTest, OwnPidPidsBelowOneUnknownNamesAndRepeatsAreDropped)
{
    const openfiles::NameMap names{{"/data/a.log", "/data/a.log"}, {"/private/data/b.log", "/data/b.log"}};
    const QString output = QString::fromUtf8(fields({
        "p0", "ckernel", "n/data/a.log",              // pid 0
        "p-4", "cnegative", "n/data/a.log",           // below 1
        "pabc", "cgarbage", "n/data/a.log",           // not a number: 0
        "p77", "cself", "n/data/a.log",               // this process
        "p120", "ceditor", "f4", "n/data/a.log",      // other tags ignored
        "n/data/a.log",                               // a second descriptor
        "n/data/unknown.log",
        "p121", "n/private/data/b.log",               // no command line given
        "p120", "ceditor", "n/data/a.log",            // listed again
        "p122", "ctail", "n/data/a.log",
    }));
    openfiles::HandleMap handles;
    openfiles::collectHandles(output, names, 77, handles);

    EXPECT_EQ(handles.size(), 2);
    EXPECT_EQ(handles.value("/data/a.log"), (QList<FileOpenHandle>{{120, "editor"}, {122, "tail"}}));
    EXPECT_EQ(handles.value("/data/b.log"), (QList<FileOpenHandle>{{121, ""}}));
    EXPECT_FALSE(handles.contains("/data/unknown.log"));
}

TEST(OpenFileListingTest, SixtyFivePathsTakeTwoRunsWhoseResultsMerge)
{
    auto tools = std::make_shared<FakeToolRunner>();
    ScopedService<ToolRunner> bound(tools);
    QStringList paths;
    for (int i = 0; i < 65; ++i)
        paths << QString("/nowhere/file-%1.bin").arg(i);
    tools->setResponder("/usr/sbin/lsof", [](const ToolRequest& request) {
        QByteArray out;
        // Each run reports the first and last of its batch.
        out += "p500\ncindexer\nn" + request.arguments[6].toUtf8() + "\n";
        out += "p501\ncbackup\nn" + request.arguments.last().toUtf8() + "\n";
        return FakeToolRunner::exited(out, 1);
    });

    const openfiles::HandleMap handles = FileDependencyService::openProcesses(paths);

    const auto runs = tools->requestsFor("/usr/sbin/lsof");
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[0].arguments, kListingArguments + paths.mid(0, 64));
    EXPECT_EQ(runs[1].arguments, kListingArguments + paths.mid(64));
    EXPECT_EQ(runs[0].environment, ToolRequest::Environment::CLocaleOnly);
    EXPECT_TRUE(runs[0].discardStandardError);

    EXPECT_EQ(handles.size(), 3);
    EXPECT_EQ(handles.value(paths[0]), (QList<FileOpenHandle>{{500, "indexer"}}));
    EXPECT_EQ(handles.value(paths[63]), (QList<FileOpenHandle>{{501, "backup"}}));
    // The second run's one path is both its first and its last.
    EXPECT_EQ(handles.value(paths[64]), (QList<FileOpenHandle>{{500, "indexer"}, {501, "backup"}}));
}

TEST(OpenFileListingTest, NoPathsRunNothingAndAMissingListingFindsNoHolders)
{
    auto tools = std::make_shared<FakeToolRunner>();
    ScopedService<ToolRunner> bound(tools);
    EXPECT_TRUE(FileDependencyService::openProcesses({}).isEmpty());
    EXPECT_TRUE(tools->requests().isEmpty());
    EXPECT_TRUE(FileDependencyService::openProcesses({"/tmp/a"}).isEmpty());  // lsof not launched
}

TEST(OpenFileListingTest, CanonicalNamesAreReportedUnderThePathAsGiven)
{
    TempTree tree;
    tree.file("real/example.log");
    const QString viaLink = tree.link("alias", tree.path("real")) + "/example.log";
    const QString canonical = QFile::encodeName(tree.path("real/example.log"));
    auto tools = std::make_shared<FakeToolRunner>();
    ScopedService<ToolRunner> bound(tools);
    tools->setOutput("/usr/sbin/lsof", fields({"p900", "ctail", "n" + canonical.toUtf8()}));

    const auto handles = FileDependencyService::openProcesses({viaLink});
    EXPECT_EQ(handles.value(viaLink), (QList<FileOpenHandle>{{900, "tail"}}));
    EXPECT_EQ(tools->requestsFor("/usr/sbin/lsof").first().arguments.last(), viaLink);
}

// The real listing, with a real holder of a file whose name the C locale
// cannot print.
TEST(OpenFileListingTest, RealListingFindsSleepHoldingANonAsciiName)
{
    TempTree tree;
    const QString file = tree.file(QString::fromUtf8("报告 final.txt"), 5);
    const QString untouched = tree.file("untouched.txt", 5);
    ScopedService<ToolRunner> real(ToolRunner::createDefault());

    QProcess sleeper;
    sleeper.setStandardInputFile(file);
    sleeper.start("/bin/sleep", {"60"});
    ASSERT_TRUE(sleeper.waitForStarted());
    const auto pid = static_cast<qint32>(sleeper.processId());

    // The child opens its input as it starts: wait until the kernel shows it.
    const QString stdinLink = QString("/proc/%1/fd/0").arg(pid);
    for (int i = 0; i < 500 && QFile::symLinkTarget(stdinLink) != file; ++i)
        QThread::msleep(10);

    // This process holds the other file open and must not be reported.
    QFile own(untouched);
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));

    const auto handles = FileDependencyService::openProcesses({file, untouched});
    sleeper.kill();
    sleeper.waitForFinished();

    EXPECT_EQ(handles.value(file), (QList<FileOpenHandle>{{pid, "sleep"}}));
    EXPECT_FALSE(handles.contains(untouched));
}
