#include "platform/SettingsUserDefaults.h"

#include "support/SystemFixtures.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <limits>
#include <thread>
#include <vector>

using velk::platform::SettingsUserDefaults;

namespace {

// Reads the store back from disk: a copy of the file is a path nothing has
// cached yet, so its contents are parsed afresh.
std::unique_ptr<SettingsUserDefaults> reopenFromDisk(const velk::test::TempTree& tree, const QString& file)
{
    static int copies = 0;
    const QString copy = tree.path(QStringLiteral("copy-%1.json").arg(++copies));
    EXPECT_TRUE(QFile::copy(file, copy));
    return std::make_unique<SettingsUserDefaults>(copy);
}

} // namespace

TEST(SettingsUserDefaultsTest, ValuesKeepTheirTypesThroughTheFile)
{
    velk::test::TempTree tree;
    const QString file = tree.path("defaults.json");
    {
        SettingsUserDefaults store(file);
        store.setStringList("one", {"zh-Hans"});
        store.setStringList("none", {});
        store.setStringList("blank", {""});
        store.setStringList("three", {"a", "b,c", "@d"});
        store.setString("text", "@Invalid()");
        store.setNumber("number", 2.5);
        store.setBoolean("flag", true);
    }
    const auto reread = reopenFromDisk(tree, file);
    EXPECT_EQ(reread->stringList("one"), QStringList{"zh-Hans"});
    EXPECT_EQ(reread->stringList("none"), QStringList{});
    EXPECT_EQ(reread->stringList("blank"), QStringList{""});
    EXPECT_EQ(reread->stringList("three"), (QStringList{"a", "b,c", "@d"}));
    EXPECT_EQ(reread->string("text"), "@Invalid()");
    EXPECT_EQ(reread->number("number"), 2.5);
    EXPECT_EQ(reread->boolean("flag"), true);

    // A list is not a text and a text is not a list.
    EXPECT_EQ(reread->string("one"), std::nullopt);
    EXPECT_EQ(reread->stringList("text"), std::nullopt);
    EXPECT_FALSE(reread->contains("missing"));
    EXPECT_EQ(reread->value("missing"), std::nullopt);
}

TEST(SettingsUserDefaultsTest, TextThatIsNotANumberReadsAsNoNumber)
{
    velk::test::TempTree tree;
    SettingsUserDefaults store(tree.path("defaults.json"));
    store.setString("interval", "fast");
    store.setString("seconds", "1.5");
    store.setString("toggle", "YES");
    EXPECT_EQ(store.number("interval"), std::nullopt);
    EXPECT_EQ(store.value("interval"), QVariant("fast"));
    EXPECT_EQ(store.boolean("interval"), std::nullopt);
    EXPECT_EQ(store.number("seconds"), 1.5);
    EXPECT_EQ(store.boolean("toggle"), true);
}

TEST(SettingsUserDefaultsTest, RemovalAndOverwritesReachTheDisk)
{
    velk::test::TempTree tree;
    const QString file = tree.path("defaults.json");
    SettingsUserDefaults store(file);
    store.setString("gone", "x");
    store.setString("kept", "old");
    store.remove("gone");
    store.setValue("kept", QStringList{"new"});
    const auto reread = reopenFromDisk(tree, file);
    EXPECT_FALSE(reread->contains("gone"));
    EXPECT_EQ(reread->stringList("kept"), QStringList{"new"});
}

namespace {

// Files set aside next to `file`, by the name they were given.
QStringList setAside(const QString& file)
{
    const QFileInfo info(file);
    return QDir(info.absolutePath()).entryList({info.fileName() + ".corrupt-*"}, QDir::Files | QDir::Hidden);
}

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// A file that does not parse reads as empty; the first write moves it aside
// instead of replacing it, so the keys it held can still be recovered.
TEST(SettingsUserDefaultsTest, UnreadableFileIsMovedAsideBeforeTheFirstWrite)
{
    const QByteArray unreadable[] = {
        "{\"language\": \"en\", \"samplingInterval\": 3, \"excl",  // cut short
        "[\"language\", \"en\"]",                                // not an object
        "1e999",
        "{\"a\": 1, \"b\": \"x\xff\"}",                             // not UTF-8
    };
    for (const QByteArray& content : unreadable) {
        SCOPED_TRACE(content.constData());
        velk::test::TempTree tree;
        const QString file = tree.fileWithContent("defaults.json", content);
        SettingsUserDefaults store(file);
        EXPECT_FALSE(store.contains("language"));
        EXPECT_TRUE(setAside(file).isEmpty()) << "reading alone changes nothing";
        EXPECT_EQ(contentOf(file), content);

        store.setString("language", "zh");
        const QStringList aside = setAside(file);
        ASSERT_EQ(aside.size(), 1);
        EXPECT_TRUE(QRegularExpression("^defaults\\.json\\.corrupt-\\d{8}-\\d{6}$").match(aside[0]).hasMatch()) << aside[0].toStdString();
        EXPECT_EQ(contentOf(tree.path(aside[0])), content);
        EXPECT_EQ(reopenFromDisk(tree, file)->string("language"), "zh");

        // Later writes find a good file and set nothing more aside.
        store.setBoolean("flag", true);
        EXPECT_EQ(setAside(file).size(), 1);
    }
}

// One value out of range costs no other key.
TEST(SettingsUserDefaultsTest, ValuesOutOfRangeLeaveTheOtherKeysReadable)
{
    velk::test::TempTree tree;
    const QString file = tree.fileWithContent(
        "defaults.json",
        "{\"language\": \"en\", \"samplingInterval\": 1e999, \"low\": -1E+400, \"tiny\": 2.5e-400,\n"
        " \"ratio\": 0.5, \"list\": [\"a\", 1e999], \"interval\": \"fast\"}");
    SettingsUserDefaults store(file);
    EXPECT_EQ(store.string("language"), "en");
    EXPECT_EQ(store.number("samplingInterval"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(store.number("low"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(store.number("tiny"), 0.0);
    EXPECT_EQ(store.number("ratio"), 0.5);
    EXPECT_EQ(store.value("list"), QVariant(QStringList{"a", "inf"}));
    EXPECT_EQ(store.number("interval"), std::nullopt);
    EXPECT_EQ(store.string("interval"), "fast");

    // The file counts as readable: a write keeps every key in place.
    store.setNumber("ratio", 0.75);
    EXPECT_TRUE(setAside(file).isEmpty());
    const auto reread = reopenFromDisk(tree, file);
    EXPECT_EQ(reread->string("language"), "en");
    EXPECT_EQ(reread->number("samplingInterval"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(reread->string("interval"), "fast");
    EXPECT_EQ(reread->number("ratio"), 0.75);
}

// A file this user may not read (left behind by another account) is moved
// aside too: it would otherwise be replaced by a file of the new keys only.
TEST(SettingsUserDefaultsTest, FileThisUserCannotReadIsMovedAsideNotReplaced)
{
    velk::test::TempTree tree;
    const QString folder = tree.dir("config");
    velk::test::openToEveryone(tree.root());
    ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
    const QString file = tree.fileWithContent("config/defaults.json", "{\"language\": \"en\"}");
    ::chmod(QFile::encodeName(file).constData(), 0600);

    const int answer = velk::test::runUnprivileged([&] {
        SettingsUserDefaults store(file);
        const bool empty = !store.contains("language");
        store.setString("theme", "dark");
        return empty ? 0 : 1;
    });
    ASSERT_EQ(answer, 0);
    const QStringList aside = setAside(file);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(contentOf(folder + '/' + aside[0]), "{\"language\": \"en\"}");
    const auto reread = reopenFromDisk(tree, file);
    EXPECT_EQ(reread->string("theme"), "dark");
    EXPECT_FALSE(reread->contains("language"));
}

namespace {

// The warnings logged while it lives.
class WarningLog {
public:
    WarningLog() { s_previous = qInstallMessageHandler(&WarningLog::record); }
    ~WarningLog() { qInstallMessageHandler(s_previous); }
    WarningLog(const WarningLog&) = delete;
    WarningLog& operator=(const WarningLog&) = delete;

    static QString all() { return s_lines.join('\n'); }

private:
    static void record(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtWarningMsg)
            s_lines.append(message);
    }

    static inline QtMessageHandler s_previous = nullptr;
    static inline QStringList s_lines;
};

// Runs `body` as the unprivileged user in a child that is ended after 10 s,
// so that a store that blocks fails the test instead of hanging it.
int runUnprivilegedWithin10s(const std::function<int()>& body)
{
    return velk::test::runUnprivileged([&] {
        ::alarm(10);
        return body();
    });
}

// A folder inside `tree` that the unprivileged user owns (mode 0755).
QString ownedByTheUnprivilegedUser(const velk::test::TempTree& tree, const QString& name)
{
    velk::test::openToEveryone(tree.root());
    const QString folder = tree.dir(name);
    ::chown(QFile::encodeName(folder).constData(), 65534, 65534);
    return folder;
}

} // namespace

// A FIFO, a folder or a device at the settings path is never opened: the
// store starts empty, keeps what is written for the session, and the first
// write moves the entry aside where it may, so the file can be made anew.
TEST(SettingsUserDefaultsTest, PathThatIsNotAFileIsNeverOpened)
{
    struct Case {
        const char* name;
        std::function<void(const QString& path)> make;
    };
    const Case cases[] = {
        {"fifo", [](const QString& path) { ::mkfifo(QFile::encodeName(path).constData(), 0666); }},
        {"folder", [](const QString& path) { QDir().mkpath(path + "/inner"); }},
        {"link to a device", [](const QString& path) { QFile::link("/dev/zero", path); }},
    };
    for (const Case& c : cases) {
        for (const bool writable : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (writable ? " in a writable folder" : " in a read-only folder"));
            velk::test::TempTree tree;
            const QString folder = writable ? ownedByTheUnprivilegedUser(tree, "config") : tree.dir("config");
            velk::test::openToEveryone(folder);
            const QString file = folder + "/defaults.json";
            c.make(file);
            struct stat before {};
            ASSERT_EQ(::lstat(QFile::encodeName(file).constData(), &before), 0);

            const int answer = runUnprivilegedWithin10s([&] {
                WarningLog log;
                SettingsUserDefaults store(file);
                if (store.contains("language"))
                    return 1;
                store.setString("language", "zh");
                if (store.string("language") != "zh")
                    return 2;
                if (!writable && !log.all().contains(file))
                    return 3;
                return 0;
            });
            ASSERT_EQ(answer, 0);

            struct stat after {};
            ASSERT_EQ(::lstat(QFile::encodeName(file).constData(), &after), 0);
            if (writable) {
                EXPECT_TRUE(S_ISREG(after.st_mode));
                const QStringList aside =
                    QDir(folder).entryList({"defaults.json.corrupt-*"}, QDir::AllEntries | QDir::System | QDir::Hidden);
                EXPECT_EQ(aside.size(), 1);
                EXPECT_EQ(reopenFromDisk(tree, file)->string("language"), "zh");
            } else {
                EXPECT_EQ(after.st_ino, before.st_ino) << "left in place";
                EXPECT_EQ(after.st_mode, before.st_mode);
            }
        }
    }
}

// A write that cannot be done loses nothing: the value stays for the session,
// the log says why, and the next write that can be done saves it too.
TEST(SettingsUserDefaultsTest, WriteThatCannotBeDoneKeepsTheValueAndSaysWhy)
{
    velk::test::TempTree tree;
    const QString owned = ownedByTheUnprivilegedUser(tree, "owned");
    struct Case {
        const char* name;
        QString file;
        const char* reason;
        std::function<void()> repair;  // run as the unprivileged user
    };
    // A tmpfs of 64 KiB filled up to the last block.
    const QString small = tree.dir("small");
    const velk::test::ScopedMount disk = velk::test::ScopedMount::tmpfs(small);
    ASSERT_TRUE(disk.ok()) << disk.error();
    ASSERT_EQ(::mount("none", QFile::encodeName(small).constData(), nullptr, MS_REMOUNT, "size=64k"), 0);
    ::chown(QFile::encodeName(small).constData(), 65534, 65534);
    {
        QFile filler(small + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    const QString readOnly = owned + "/read-only";
    QDir().mkpath(readOnly);
    ::chown(QFile::encodeName(readOnly).constData(), 65534, 65534);
    ::chmod(QFile::encodeName(readOnly).constData(), 0555);
    const Case cases[] = {
        {"dangling link", tree.link("owned/defaults.json", owned + "/missing/defaults.json"), "does not exist",
         [&] { QDir().mkpath(owned + "/missing"); }},
        {"read-only folder", readOnly + "/defaults.json", "Permission denied",
         [&] { ::chmod(QFile::encodeName(readOnly).constData(), 0755); }},
        {"full disk", small + "/defaults.json", "No space left on device", [&] { QFile::remove(small + "/filler"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int answer = runUnprivilegedWithin10s([&] {
            WarningLog log;
            SettingsUserDefaults store(c.file);
            store.setString("language", "zh");
            if (store.string("language") != "zh")
                return 1;
            if (!log.all().contains(c.file) || !log.all().contains(c.reason))
                return 2;
            c.repair();
            store.setBoolean("flag", true);
            return 0;
        });
        ASSERT_EQ(answer, 0);
        const auto reread = reopenFromDisk(tree, c.file);
        EXPECT_EQ(reread->string("language"), "zh");
        EXPECT_EQ(reread->boolean("flag"), true);
    }
}

TEST(SettingsUserDefaultsTest, ConcurrentWritersLoseNothing)
{
    velk::test::TempTree tree;
    const QString file = tree.path("defaults.json");
    SettingsUserDefaults store(file);
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([&store, t] {
            for (int i = 0; i < 25; ++i)
                store.setNumber(QStringLiteral("k%1_%2").arg(t).arg(i), i);
        });
    for (auto& w : writers)
        w.join();
    const auto reread = reopenFromDisk(tree, file);
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < 25; ++i)
            EXPECT_EQ(reread->number(QStringLiteral("k%1_%2").arg(t).arg(i)), i);
}

TEST(SettingsUserDefaultsTest, ApplicationStoreIsNamedAfterTheApplication)
{
    // The test program names itself, so this lands in its sandboxed folder.
    const SettingsUserDefaults store;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_EQ(store.filePath(), config + "/VelkTest/VelkCleanTests.json");
}
