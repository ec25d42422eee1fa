#include "platform/files/RegularFile.h"
#include "support/TempTree.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using velk::platform::files::LastLink;
using velk::platform::files::readRegularFile;

// Only a regular file is read, a link to one only when links are followed;
// a FIFO, reached directly or through a link, gives nothing at once.
TEST(RegularFileTest, ReadsRegularFilesAndFollowsLinksOnlyWhenAsked)
{
    velk::test::TempTree tree;
    tree.fileWithContent("file", "bytes");
    ASSERT_EQ(::mkfifo(QFile::encodeName(tree.path("fifo")).constData(), 0600), 0);
    tree.link("to-file", tree.path("file"));
    tree.link("to-fifo", tree.path("fifo"));
    const struct {
        const char* name;
        LastLink link;
        std::optional<QByteArray> expected;
    } cases[] = {
        {"file", LastLink::Refuse, "bytes"},   {"to-file", LastLink::Follow, "bytes"},
        {"to-file", LastLink::Refuse, {}},     {"fifo", LastLink::Follow, {}},
        {"to-fifo", LastLink::Follow, {}},     {"missing", LastLink::Follow, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readRegularFile(tree.path(c.name), 5, c.link), c.expected);
    }
    EXPECT_FALSE(readRegularFile(tree.path("file"), 4)) << "larger than allowed";
}
