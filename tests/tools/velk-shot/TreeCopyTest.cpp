#include "TreeCopy.h"

#include "support/SystemFixtures.h"
#include "support/TempTree.h"

#include <QDir>
#include <gtest/gtest.h>

#include <iterator>

#include <sys/stat.h>

namespace velk::shot {
namespace {

using test::runUnprivileged;

// The tree to copy, parents before what they hold; "linked" is a link to a
// folder beside the tree.
struct Entry {
    const char* path;
    mode_t mode;
    bool folder;
};
constexpr Entry kEntries[] = {
    {"locked", 0555, true},
    {"locked/inner", 0500, true},
    {"locked/inner/file", 0444, false},
    {"shared", 01777, true},
    {"group", 02750, true},
    {"tool", 04755, false},
    {"plain", 0600, false},
    {"linked", 0750, true},
};

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// Builds the tree in `root` with every mode set, the innermost first.
bool build(const QString& root)
{
    const QDir dir(root);
    bool built = dir.mkpath("from") && dir.mkpath("beside") && QFile::link("../beside", dir.filePath("from/linked"));
    for (const Entry& entry : kEntries) {
        const QString path = dir.filePath(QStringLiteral("from/") + entry.path);
        if (entry.folder)
            built = built && QDir().mkpath(path);
        else
            built = built && QFile(path).open(QIODevice::WriteOnly);
    }
    for (auto entry = std::rbegin(kEntries); entry != std::rend(kEntries); ++entry)
        built = built && ::chmod(encoded(dir.filePath(QStringLiteral("from/") + entry->path)), entry->mode) == 0;
    return built;
}

// The copy of a fixture keeps every entry's mode, its read-only folders
// filled all the same, and goes whole afterwards. Copied and removed by an
// unprivileged user, whom a read-only folder keeps out.
TEST(TreeCopy, EveryEntryKeepsItsModeAndTheCopyGoesWhole)
{
    test::TempTree tree;
    test::openToEveryone(tree.root());
    const QString root = tree.dir("work");
    ASSERT_EQ(::chown(encoded(root), ::geteuid() == 0 ? 65534 : ::geteuid(), ::geteuid() == 0 ? 65534 : ::getegid()), 0);
    const QString copy = QDir(root).filePath("copy");

    ASSERT_EQ(runUnprivileged([&] { return build(root) && copyTree(QDir(root).filePath("from"), copy) ? 0 : 1; }), 0);
    for (const Entry& entry : kEntries) {
        struct stat status {};
        ASSERT_EQ(::lstat(encoded(QDir(copy).filePath(entry.path)), &status), 0) << entry.path;
        EXPECT_EQ(S_ISDIR(status.st_mode), entry.folder) << entry.path;
        EXPECT_EQ(status.st_mode & 07777, entry.mode) << entry.path;
    }
    EXPECT_EQ(runUnprivileged([&] { return removeTree(copy) && removeTree(QDir(root).filePath("from")) ? 0 : 1; }), 0);
    EXPECT_FALSE(QFileInfo::exists(copy));
}

// A folder mounted inside the copy, as a script that stopped early may leave
// one, is neither emptied nor opened up: the rest of the copy goes, the
// mount point and what it shows stay as they were.
TEST(TreeCopy, RemovingTheCopyLeavesAMountInsideItAlone)
{
    test::TempTree tree;
    test::TempTree outside;
    const QString copy = tree.dir("copy");
    tree.file("copy/locked/own", 10);
    tree.dir("copy/locked/mounted");
    outside.file("precious", 10);
    outside.dir("sealed");
    ASSERT_EQ(::chmod(encoded(outside.path("sealed")), 0500), 0);
    ASSERT_EQ(::chmod(encoded(tree.path("copy/locked")), 0555), 0);
    auto bind = test::ScopedMount::bind(outside.root(), tree.path("copy/locked/mounted"));
    ASSERT_TRUE(bind.ok()) << bind.error();

    EXPECT_FALSE(removeTree(copy));
    EXPECT_FALSE(QFileInfo::exists(tree.path("copy/locked/own")));
    EXPECT_TRUE(QFileInfo(outside.path("precious")).isFile());
    struct stat status {};
    ASSERT_EQ(::lstat(encoded(outside.path("sealed")), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0500);
}

} // namespace
} // namespace velk::shot
