#include "ui/design/QuickFixture.h"

#include <QSignalSpy>

namespace velk::test {
namespace {

// The device hero: its picture, the band while busy, and its clicks.
class DeviceHeroTest : public QuickFixture {
protected:
    DeviceHeroTest()
    {
        window.resize(500, 420);
    }

    QQuickItem* hero(const QByteArray& properties)
    {
        QQuickItem* root = show("import Velk.Dashboard\nHomeDeviceHero { x: 90; y: 70; " + properties + " }");
        if (root)
            clicks = std::make_unique<QSignalSpy>(root, SIGNAL(clicked()));
        return root;
    }

    double sweep() const { return item->property("sweepOffset").toDouble(); }

    std::unique_ptr<QSignalSpy> clicks;
};

TEST_F(DeviceHeroTest, PictureFollowsTheKindInItsFrame)
{
    ASSERT_TRUE(hero("kind: \"macStudio\""));
    EXPECT_EQ(item->property("picture").toString(), "MacMiniHero");
    EXPECT_EQ(item->width(), 320);
    EXPECT_EQ(item->height(), 280);
    item->setProperty("kind", "iMac");
    EXPECT_EQ(item->property("picture").toString(), "iMacHero");
    item->setProperty("kind", "macPro");
    EXPECT_EQ(item->property("picture").toString(), "MacBookHero");
}

TEST_F(DeviceHeroTest, IdleHeroHasNoBandAndTakesClicks)
{
    ASSERT_TRUE(hero("isBusy: false"));
    EXPECT_FALSE(find("deviceHero.band")->isVisible());
    click(item.get());
    EXPECT_EQ(clicks->count(), 1);
}

TEST_F(DeviceHeroTest, BusyHeroSweepsFromTheLeftAndLetsClicksThroughTheBand)
{
    ASSERT_TRUE(hero("isBusy: false"));
    item->setProperty("isBusy", true);
    EXPECT_TRUE(find("deviceHero.band")->isVisible());
    EXPECT_EQ(sweep(), -110);
    EXPECT_TRUE(waitFor([&] { return sweep() > -110; }));
    EXPECT_LE(sweep(), 110);

    // A click on the band reaches the hero. The band never rests, so the
    // click goes where it is now.
    QQuickItem* band = find("deviceHero.band");
    QTest::mouseClick(&window, Qt::LeftButton, {}, band->mapToScene(QPointF(band->width() / 2, band->height() / 2)).toPoint());
    EXPECT_EQ(clicks->count(), 1);

    // Off: the band goes at once and the next busy period starts on the left.
    item->setProperty("isBusy", false);
    EXPECT_FALSE(band->isVisible());
    EXPECT_EQ(sweep(), -110);
    item->setProperty("isBusy", true);
    EXPECT_EQ(sweep(), -110);
    EXPECT_TRUE(band->isVisible());
}

} // namespace
} // namespace velk::test
