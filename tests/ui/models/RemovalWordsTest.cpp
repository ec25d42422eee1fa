#include "ui/models/RemovalWords.h"

#include <QSet>

#include <gtest/gtest.h>

#include <cerrno>
#include <tuple>

namespace velk::models {
namespace {

using platform::files::RemovalReason;

// Every refusal of the remover and every common system error has words of
// its own in both languages; an uncommon error shows the system's text.
TEST(RemovalWords, EveryReasonHasItsOwnWordsInBothLanguages)
{
    QSet<QString> seen;
    for (const auto& [reason, error] : {std::pair{RemovalReason::InvalidPath, 0}, {RemovalReason::NotAsScanned, 0},
                                       {RemovalReason::MountPoint, 0}, {RemovalReason::HomeFolder, 0},
                                       {RemovalReason::FolderForbids, EACCES}, {RemovalReason::StickyFolder, 0},
                                       {RemovalReason::Immutable, 0}, {RemovalReason::AlreadyInTrash, 0},
                                       {RemovalReason::NoTrash, ENOTDIR}, {RemovalReason::Protected, 0},
                                       {RemovalReason::SystemError, EACCES}, {RemovalReason::SystemError, ENOENT},
                                       {RemovalReason::SystemError, EBUSY}, {RemovalReason::SystemError, EROFS},
                                       {RemovalReason::SystemError, ENOSPC}, {RemovalReason::SystemError, EIO},
                                       {RemovalReason::SystemError, EDQUOT}}) {
        const WordPair words = removalwords::reason(reason, error);
        EXPECT_FALSE(words.zh.isEmpty() || words.en.isEmpty() || words.zh == words.en) << int(reason) << ' ' << error;
        EXPECT_FALSE(seen.contains(words.en)) << words.en.toStdString();
        seen << words.en;
    }
    EXPECT_EQ(removalwords::reason(RemovalReason::SystemError, EPERM).en, "permission denied");
    const WordPair uncommon = removalwords::reason(RemovalReason::SystemError, ENAMETOOLONG);
    EXPECT_EQ(uncommon.en, "File name too long");
    EXPECT_EQ(uncommon.zh, uncommon.en);
}

// A refusal caused by the disk itself says so: a folder that forbids
// removing because it is mounted read-only, a Trash that cannot be made on a
// full disk or over the quota.
TEST(RemovalWords, ADiskThatCannotChangeOutranksTheRefusal)
{
    for (const auto& [reason, error, zh, en] :
         {std::tuple{RemovalReason::FolderForbids, EROFS, "位于只读文件系统", "on a read-only file system"},
          {RemovalReason::NoTrash, EROFS, "位于只读文件系统", "on a read-only file system"},
          {RemovalReason::NoTrash, ENOSPC, "磁盘空间不足", "no space left on the disk"},
          {RemovalReason::NoTrash, EDQUOT, "超出磁盘配额", "over the disk quota"},
          {RemovalReason::NoTrash, ENOTDIR, "它所在的磁盘上没有可用的废纸篓", "no usable Trash on its disk"}}) {
        const WordPair words = removalwords::reason(reason, error);
        EXPECT_EQ(words.zh, QString::fromUtf8(zh)) << int(reason) << ' ' << error;
        EXPECT_EQ(words.en, QString::fromUtf8(en)) << int(reason) << ' ' << error;
    }
}

// A line an item, shown isolated, its reason beside it (none for a failure
// without one), eight at most and then a count of the rest.
TEST(RemovalWords, FailureLinesNameEachItemWithWhyAndCountWhatIsNotShown)
{
    QList<cleaning::RemovalFailure> failures{{"/a/one", RemovalReason::Immutable}, {"/a/two"}};
    EXPECT_EQ(removalwords::failureLines(failures).en, "\u2068/a/one\u2069: it or its folder is marked immutable\n\u2068/a/two\u2069");
    EXPECT_EQ(removalwords::failureLines(failures).zh, "\u2068/a/one\u2069：它或所在文件夹被标记为不可更改\n\u2068/a/two\u2069");
    for (int i = 0; i < 9; ++i)
        failures << cleaning::RemovalFailure{"/b/" + QString::number(i), RemovalReason::SystemError, EBUSY};
    const QStringList lines = removalwords::failureLines(failures).en.split('\n');
    ASSERT_EQ(lines.size(), removalwords::kShownLines + 1);
    EXPECT_EQ(lines[7], "\u2068/b/5\u2069: in use");
    EXPECT_EQ(lines[8], "and 3 more");
    EXPECT_TRUE(removalwords::failureLines(failures).zh.endsWith("另有 3 项"));
}

} // namespace
} // namespace velk::models
