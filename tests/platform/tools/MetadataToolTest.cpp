#include "platform/files/FileStatus.h"
#include "platform/tools/MetadataTool.h"
#include "platform/tools/ToolRunnerLinux.h"
#include "support/TempTree.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace velk::platform::files;
using namespace velk::platform::tools;
using velk::test::TempTree;

namespace {

void setAttribute(const QString& path, const char* name, const QByteArray& value)
{
    ASSERT_EQ(::setxattr(QFile::encodeName(path).constData(), name, value.constData(), value.size(), 0), 0) << name;
}

ToolRequest whereFroms(const QString& path)
{
    ToolRequest request;
    request.tool = "/usr/bin/mdls";
    request.arguments = {"-name", "kMDItemWhereFroms", "-raw", path};
    return request;
}

} // namespace

TEST(MetadataToolTest, DownloadSourcesComeFromTheOriginThenTheReferrer)
{
    TempTree tree;
    const QString both = tree.file("both.zip");
    setAttribute(both, "user.xdg.referrer.url", "https://example.com/downloads");
    setAttribute(both, "user.xdg.origin.url", QByteArray("https://cdn.example.com/both.zip\0", 33));
    ToolResult result = metadataOutput(whereFroms(both));
    EXPECT_TRUE(result.launched);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.output, "(\n    \"https://cdn.example.com/both.zip\",\n    \"https://example.com/downloads\"\n)");

    const QString referrerOnly = tree.file("referrer.pdf");
    setAttribute(referrerOnly, "user.xdg.referrer.url", "ftp://files.example.com/");
    EXPECT_EQ(metadataOutput(whereFroms(referrerOnly)).output, "(\n    \"ftp://files.example.com/\"\n)");

    // Values that would break the list are left out; none left is "(null)".
    const QString hostile = tree.file("hostile.bin");
    setAttribute(hostile, "user.xdg.origin.url", "https://a.example/\"x");
    setAttribute(hostile, "user.xdg.referrer.url", "https://b.example/\nhttps://c.example/");
    EXPECT_EQ(metadataOutput(whereFroms(hostile)).output, "(null)");
    EXPECT_EQ(metadataOutput(whereFroms(tree.file("plain.txt"))).output, "(null)");
    EXPECT_EQ(metadataOutput(whereFroms(tree.path("missing"))).output, "(null)");
}

TEST(MetadataToolTest, OtherRequestsFailLikeAnUnknownOption)
{
    ToolRequest request = whereFroms("/tmp");
    request.arguments[1] = "kMDItemContentType";
    const ToolResult result = metadataOutput(request);
    EXPECT_TRUE(result.launched);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(result.output.isEmpty());
}

TEST(MetadataToolTest, RegisteredToolAnswersThroughTheRunner)
{
    TempTree tree;
    const QString file = tree.file("a.zip");
    setAttribute(file, "user.xdg.origin.url", "https://example.com/a.zip");
    registerMetadataTool();
    LinuxToolRunner runner;
    EXPECT_EQ(runner.run(whereFroms(file)).output, "(\n    \"https://example.com/a.zip\"\n)");
    registerInProcessTool("/usr/bin/mdls", {});
    EXPECT_FALSE(runner.run(whereFroms(file)).launched);
}

TEST(FileStatusTest, LinksAndTimesFollowSymbolicLinks)
{
    TempTree tree;
    const QString file = tree.file("data.bin", 10);
    ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(tree.path("second")).constData()), 0);
    const QString link = tree.link("alias", file);

    const auto status = fileStatus(QFile::encodeName(link));
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->linkCount, 2);
    EXPECT_GT(status->accessSeconds, 0);
    if (status->birthSeconds) {
        EXPECT_GT(*status->birthSeconds, 0);
    }

    EXPECT_FALSE(fileStatus(QFile::encodeName(tree.path("missing"))).has_value());
    EXPECT_FALSE(fileStatus({}).has_value());
}
