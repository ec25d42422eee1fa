#include "ui/design/AppIconCache.h"
#include "support/TempTree.h"

#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

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
