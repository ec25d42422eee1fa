#include "ui/screens/systeminfo/BatteryPage.h"

#include "platform/core/ServiceRegistry.h"
#include "support/FakeBatteryRegistry.h"
#include "support/ManualClock.h"

#include <gtest/gtest.h>

namespace velk::screens {
namespace {

TEST(BatteryPage, ReadsWhenShownThenEveryThirtySecondsUntilHidden)
{
    auto battery = std::make_shared<test::FakeBatteryRegistry>();
    auto clock = std::make_shared<test::ManualClock>();
    platform::core::ScopedService<platform::sensors::BatteryRegistry> b(battery);
    platform::core::ScopedService<platform::core::Clock> c(clock);
    battery->properties = QVariantMap{{"CurrentCapacity", 64}};

    BatteryPage page;
    EXPECT_EQ(battery->reads, 1);
    EXPECT_TRUE(page.present());
    EXPECT_EQ(page.percent(), 64);

    page.setShown(true);
    EXPECT_EQ(battery->reads, 2);
    clock->advance(29.9);
    EXPECT_EQ(battery->reads, 2);
    clock->advance(0.1);
    EXPECT_EQ(battery->reads, 3);
    // A battery that stops reporting empties the page at the next read.
    battery->properties.reset();
    clock->advance(30);
    EXPECT_EQ(battery->reads, 4);
    EXPECT_FALSE(page.present());
    EXPECT_EQ(page.charge()->rowCount(), 0);

    page.setShown(false);
    clock->advance(120);
    EXPECT_EQ(battery->reads, 4);

    // Shown again: one read at once and one polling, not two.
    page.setShown(true);
    EXPECT_EQ(battery->reads, 5);
    clock->advance(30);
    EXPECT_EQ(battery->reads, 6);
    page.refresh();
    EXPECT_EQ(battery->reads, 7);
}

} // namespace
} // namespace velk::screens
