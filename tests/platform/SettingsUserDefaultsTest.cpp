#include "platform/SettingsUserDefaults.h"

#include "support/TempTree.h"

#include <QFile>
#include <QStandardPaths>
#include <gtest/gtest.h>

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

TEST(SettingsUserDefaultsTest, UnreadableFileGivesAnEmptyStoreThatStillWrites)
{
    velk::test::TempTree tree;
    const QString file = tree.fileWithContent("defaults.json", "not json {");
    SettingsUserDefaults store(file);
    EXPECT_FALSE(store.contains("language"));
    store.setString("language", "en");
    EXPECT_EQ(reopenFromDisk(tree, file)->string("language"), "en");
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
