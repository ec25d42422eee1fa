#include "platform/settings/SettingsUserDefaults.h"

#include "platform/core/ServiceRegistry.h"
#include "platform/locations/Locations.h"
#include "support/ScopedEnv.h"
#include "support/SystemFixtures.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <limits>
#include <thread>
#include <vector>

using velk::platform::settings::SettingsUserDefaults;

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

// A settings path that cannot be used neither blocks the store nor costs a
// value of the session: an entry that is not a regular file is never opened
// and is moved aside by the first write where it may; a write that cannot be
// done says why.
TEST(SettingsUserDefaultsTest, UnusablePathKeepsTheValuesForTheSessionAndSaysWhy)
{
    velk::test::TempTree tree;
    velk::test::openToEveryone(tree.root());
    const auto folder = [&](const QString& name, bool ours) {
        const QString path = tree.dir(name);
        if (ours)
            ::chown(QFile::encodeName(path).constData(), 65534, 65534);
        return path;
    };
    // A disk filled to its last block.
    const QString full = tree.dir("full");
    const velk::test::ScopedMount disk = velk::test::ScopedMount::tmpfs(full);
    ASSERT_TRUE(disk.ok()) << disk.error();
    ASSERT_EQ(::mount("none", QFile::encodeName(full).constData(), nullptr, MS_REMOUNT, "size=16k,mode=0777"), 0);
    QFile filler(full + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
    }
    const auto fifo = [](const char* path) { return ::mkfifo(path, 0666); };
    const struct {
        QString folder;
        std::function<int(const char*)> make;
        const char* reason;  // nothing: the entry is moved aside and the write done
    } cases[] = {
        {folder("fifo", true), fifo, nullptr},
        {folder("fifo-read-only", false), fifo, "Permission denied"},
        {folder("folder", true), [](const char* path) { return ::mkdir(path, 0755); }, nullptr},
        {folder("device", false), [](const char* path) { return ::symlink("/dev/zero", path); }, "Permission denied"},
        {folder("dangling", true), [](const char* path) { return ::symlink("missing/x.json", path); }, "does not exist"},
        {full, [](const char*) { return 0; }, "No space left on device"},
    };
    static QStringList logged;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        const QString file = c.folder + "/defaults.json";
        ASSERT_EQ(c.make(QFile::encodeName(file).constData()), 0);
        // Ended after 10 s, so that a store that blocks fails the test.
        const int answer = velk::test::runUnprivileged([&] {
            ::alarm(10);
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& line) { logged << line; });
            SettingsUserDefaults store(file);
            store.setString("language", "zh");
            const QString log = logged.join('\n');
            return store.string("language") == "zh" && (!c.reason || (log.contains(file) && log.contains(c.reason))) ? 0 : 1;
        });
        ASSERT_EQ(answer, 0);
        const auto entries = QDir::AllEntries | QDir::System | QDir::Hidden;
        EXPECT_EQ(QDir(c.folder).entryList({"defaults.json.corrupt-*"}, entries).size(), c.reason ? 0 : 1);
        if (!c.reason) {
            EXPECT_EQ(reopenFromDisk(tree, file)->string("language"), "zh");
        }
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

// The store lies in the location map's config home (a relative XDG value
// ignored), named after the test program.
TEST(SettingsUserDefaultsTest, ApplicationStoreIsNamedAfterTheApplication)
{
    velk::test::TempTree tree;
    for (const QByteArray& variable : {QFile::encodeName(tree.path("config")), QByteArray("relative/config")}) {
        const velk::test::ScopedEnv config("XDG_CONFIG_HOME", variable);
        using velk::platform::locations::Locations;
        const velk::platform::core::ScopedService<Locations> locations(Locations::linuxProfile(tree.dir("home")));
        const QString expected = variable.startsWith('/') ? tree.path("config") : tree.path("home/.config");
        EXPECT_EQ(SettingsUserDefaults().filePath(), expected + "/VelkTest/VelkCleanTests.json");
    }
}
