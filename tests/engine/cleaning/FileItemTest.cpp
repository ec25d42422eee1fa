#include "engine/cleaning/FileItem.h"
#include "common/format/Formatting.h"

#include <QSet>

#include <gtest/gtest.h>

using velk::cleaning::FileItem;
namespace fmt = velk::fmt;

namespace {

TEST(FileItem, DerivesNameAndFreshIdentityFromThePath)
{
    const QDateTime date = QDateTime::fromMSecsSinceEpoch(1'700'000'000'000);
    const FileItem a(QStringLiteral("/data/cache/报告 final.log"), 42, date, FileItem::ItemType::File);
    const FileItem b(QStringLiteral("/data/cache/报告 final.log"), 42, date, FileItem::ItemType::File);
    EXPECT_EQ(a.name, QStringLiteral("报告 final.log"));
    EXPECT_EQ(FileItem(QStringLiteral("/data/folder/"), 0, std::nullopt, FileItem::ItemType::Directory).name,
              QStringLiteral("folder"));
    EXPECT_TRUE(a.isSelected);
    EXPECT_EQ(a.url().toLocalFile(), a.path);

    // Two records of one path are different records; a copy is the same one.
    EXPECT_NE(a, b);
    EXPECT_NE(a.id, b.id);
    FileItem copy = a;
    EXPECT_EQ(copy, a);
    EXPECT_EQ(qHash(copy), qHash(a));
    copy.isSelected = false;
    EXPECT_NE(copy, a);
    EXPECT_EQ(QSet<FileItem>({a, b, a}).size(), 2);
}

TEST(FileItem, FormattedSizeUsesTheFileStyleOfTheDisplayLanguage)
{
    const FileItem empty(QStringLiteral("/x"), 0, std::nullopt, FileItem::ItemType::File);
    const FileItem big(QStringLiteral("/y"), 12'345'678, std::nullopt, FileItem::ItemType::File);
    EXPECT_EQ(empty.formattedSize(), fmt::byteCount(0, fmt::ByteStyle::File));
    EXPECT_EQ(big.formattedSize(), fmt::byteCount(12'345'678, fmt::ByteStyle::File));
    EXPECT_NE(big.formattedSize(), fmt::byteCount(12'345'678, fmt::ByteStyle::Binary));
}

} // namespace
