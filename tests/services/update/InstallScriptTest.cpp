#include "services/update/InstallScript.h"

#include "support/TempTree.h"

#include <QDirIterator>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velk {
namespace {

using test::TempTree;

TEST(InstallScript, OrdinaryPathsGiveTheFiveLinesExactly)
{
    const QByteArray text = UpdateCheck::installScript(4242, "/tmp/u/Velk-Clean-Mac-update-app",
                                                       "/Applications/Velk Clean.app", "/tmp/u/velk-clean-install.sh");
    EXPECT_EQ(text, "#!/bin/bash\n"
                    "while kill -0 4242 2>/dev/null; do sleep 0.2; done\n"
                    "ditto \"/tmp/u/Velk-Clean-Mac-update-app\" \"/Applications/Velk Clean.app\"\n"
                    "open \"/Applications/Velk Clean.app\"\n"
                    "rm -rf \"/tmp/u/Velk-Clean-Mac-update-app\" \"/tmp/u/velk-clean-install.sh\"");
}

TEST(InstallScript, CharactersSpecialInsideDoubleQuotesAreEscaped)
{
    EXPECT_EQ(UpdateCheck::quotedForScript(R"(/a"b/$(x)/`y`/c\d/e f'g!)"), R"(/a\"b/\$(x)/\`y\`/c\\d/e f'g!)");
}

// The pid of a process that has certainly ended.
qint64 endedProcess()
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return pid;
}

QStringList treeListing(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << it.next().mid(root.size());
    entries.sort();
    return entries;
}

QStringList recordedArguments(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {"<not called>"};
    QStringList arguments;
    for (const QByteArray& a : f.readAll().split('\0'))
        arguments << QFile::decodeName(a);
    arguments.removeLast();
    return arguments;
}

// Runs the script with stand-ins for the copy and open tools that record the
// arguments they receive, from folders whose names a shell would act on.
TEST(InstallScript, HostileFolderNamesReachTheToolsUnchangedAndRunNothing)
{
    TempTree tree;
    const QString root = tree.dir("root");
    const QString stubs = tree.dir("stubs");
    for (const char* tool : {"ditto", "open"}) {
        const QString stub = tree.fileWithContent(
            QString("stubs/%1").arg(tool), "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$(dirname \"$0\")/$(basename \"$0\").args\"\n");
        QFile::setPermissions(stub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QString hostile[] = {R"(quote"d)", "$(touch pwned)", "back`touch pwned2`tick", R"(back\slash)", "$HOME x"};
    QString folder = root;
    for (const QString& name : hostile) {
        folder += '/' + name;
        QDir().mkpath(folder);
    }
    const QString staged = folder + "/Velk-Clean-Mac-update-app";
    const QString bundle = root + '/' + hostile[2] + "/Velk\"Clean$(id).app";
    const QString script = folder + "/velk-clean-install.sh";
    tree.file("root/" + QString(hostile[0]) + "/keep");
    QDir().mkpath(staged + "/Contents");
    QDir().mkpath(bundle);
    QFile out(script);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(UpdateCheck::installScript(endedProcess(), staged, bundle, script));
    out.close();
    QStringList expected = treeListing(root);
    expected.removeIf([&](const QString& e) { return (root + e).startsWith(staged) || root + e == script; });

    QProcess bash;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", stubs + ':' + env.value("PATH"));
    bash.setProcessEnvironment(env);
    bash.setWorkingDirectory(root);
    bash.start("/bin/bash", {script});
    ASSERT_TRUE(bash.waitForFinished(60000));
    EXPECT_EQ(bash.exitCode(), 0) << bash.readAllStandardError().constData();

    EXPECT_EQ(recordedArguments(stubs + "/ditto.args"), (QStringList{staged, bundle}));
    EXPECT_EQ(recordedArguments(stubs + "/open.args"), QStringList{bundle});
    EXPECT_EQ(treeListing(root), expected) << "the staged copy and the script are gone, nothing else changed";
    EXPECT_EQ(treeListing(stubs), (QStringList{"/ditto", "/ditto.args", "/open", "/open.args"}));
}

} // namespace
} // namespace velk
