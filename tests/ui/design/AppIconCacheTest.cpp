#include "ui/design/AppIconCache.h"
#include "support/TempTree.h"

#include <QBuffer>
#include <QImageWriter>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using velk::design::AppIconCache;

TEST(AppIconCacheTest, AsksItsSourceOncePerPath)
{
    QStringList asked;
    AppIconCache cache([&asked](const QString& path) {
        asked << path;
        QImage image(8, 8, QImage::Format_ARGB32);
        image.fill(path.size());
        return image;
    });
    EXPECT_FALSE(cache.cached("/a"));
    const QImage first = cache.icon("/a");
    EXPECT_EQ(cache.icon("/a"), first);
    cache.icon("/b");
    EXPECT_EQ(asked, (QStringList{"/a", "/b"}));
    ASSERT_TRUE(cache.cached("/a"));
    EXPECT_EQ(*cache.cached("/a"), first);
    EXPECT_FALSE(cache.cached("/a/"));  // exactly the path
}

TEST(AppIconCacheTest, BundleIconThenGenericIconNeverNull)
{
    velk::test::TempTree tree;
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    tree.fileWithContent("Foo.app/Contents/Resources/Icon.png", png);
    tree.fileWithContent("Foo.app/Contents/Info.plist",
                         "<plist><dict><key>CFBundleIconFile</key><string>Icon.png</string></dict></plist>");
    const auto source = AppIconCache::defaultSource();
    const QImage bundle = source(tree.path("Foo.app"));
    ASSERT_FALSE(bundle.isNull());
    EXPECT_EQ(bundle.pixelColor(8, 8), QColor(Qt::red));
    EXPECT_FALSE(source(tree.path("nothing-here")).isNull());
    // An icon name that climbs out of the bundle is not followed.
    tree.fileWithContent("Bad.app/Contents/Info.plist",
                         "<plist><dict><key>CFBundleIconFile</key><string>../../Foo.app/Contents/Resources/Icon.png</string></dict></plist>");
    EXPECT_NE(source(tree.path("Bad.app")).pixelColor(8, 8), QColor(Qt::red));
}

// Far longer than any load takes; reached only by a load that waits.
constexpr auto kPromptly = std::chrono::seconds(20);

// A bundle whose icon file is a FIFO gets an icon at once: nothing waits for
// a writer that never comes, so no loader thread is left that the program's
// exit would wait for.
TEST(AppIconCacheTest, IconFileThatIsAFifoIsNotWaitedFor)
{
    velk::test::TempTree tree;
    tree.fileWithContent("Pipe.app/Contents/Info.plist",
                         "<plist><dict><key>CFBundleIconFile</key><string>Icon.png</string></dict></plist>");
    const QByteArray fifo = QFile::encodeName(tree.dir("Pipe.app/Contents/Resources") + "/Icon.png");
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    std::promise<QImage> loaded;
    std::future<QImage> icon = loaded.get_future();
    std::thread loader([&] { loaded.set_value(AppIconCache::defaultSource()(tree.path("Pipe.app"))); });
    const bool prompt = icon.wait_for(kPromptly) == std::future_status::ready;
    if (!prompt)  // a writer coming and going lets a loader waiting in open() go on to the end
        ::close(::open(fifo.constData(), O_WRONLY | O_NONBLOCK));
    loader.join();
    EXPECT_TRUE(prompt) << "the icon loader waited for a writer of the FIFO";
    EXPECT_FALSE(icon.get().isNull());
}

// A slow load holds up only itself: other paths load and cached icons are
// read meanwhile, so the main thread never waits for a file being read.
TEST(AppIconCacheTest, SlowLoadHoldsUpNoOtherRequest)
{
    std::promise<void> entered;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    AppIconCache cache([&](const QString& path) {
        if (path == "/slow") {
            entered.set_value();
            released.wait();
        }
        return QImage(1, 1, QImage::Format_ARGB32);
    });
    cache.icon("/ready");
    std::thread slow([&] { cache.icon("/slow"); });
    entered.get_future().wait();
    auto others = std::async(std::launch::async, [&] { return !cache.icon("/other").isNull() && cache.cached("/ready"); });
    const bool prompt = others.wait_for(kPromptly) == std::future_status::ready;
    release.set_value();
    slow.join();
    EXPECT_TRUE(prompt) << "a request for another path waited for the slow load";
    EXPECT_TRUE(others.get());
    EXPECT_TRUE(cache.cached("/slow"));
}
