#include "support/FakeBatteryRegistry.h"
#include "support/FakeHostProbe.h"
#include "support/FakeMachineFacts.h"
#include "support/FakeMonitorSources.h"
#include "support/ui/ScreenFixture.h"

namespace velk::test {
namespace {

// The System Info screen over a fake machine: fixed facts, a battery double
// and a monitor fed by fake readings.
class SystemInfoViewTest : public ScreenFixture {
protected:
    platform::core::ScopedService<platform::core::Executor> executor{std::make_shared<ManualExecutor>()};
    platform::core::ScopedService<platform::core::Clock> clock{std::make_shared<ManualClock>()};
    std::shared_ptr<FakeBatteryRegistry> battery = std::make_shared<FakeBatteryRegistry>();
    std::shared_ptr<FakeMachineFacts> facts = std::make_shared<FakeMachineFacts>();
    std::shared_ptr<FakeHostProbe> host = std::make_shared<FakeHostProbe>();
    platform::core::ScopedService<platform::sensors::BatteryRegistry> batteryService{battery};
    platform::core::ScopedService<platform::host::MachineFacts> factsService{facts};
    platform::core::ScopedService<platform::host::HostProbe> hostService{host};
    std::shared_ptr<FakeMonitorSources> sources = std::make_shared<FakeMonitorSources>();
    std::unique_ptr<monitor::SystemMonitor> monitor;

    SystemInfoViewTest()
    {
        facts->host = QStringLiteral("workbench");
        host->brand = QStringLiteral("Acme Z80");
        host->memory = 17'179'869'184;
        sources->nextDisk = monitor::DiskInfo{1'000'000'000'000, 400'000'000'000};
        sources->nextUptime = 7200;
        battery->properties = QVariantMap{{"CurrentCapacity", 64}, {"CycleCount", 211}};
    }

    ~SystemInfoViewTest() override
    {
        item.reset();
        static_cast<ManualExecutor&>(*executor).runAll();
    }

    QQuickItem* buildScreen()
    {
        monitor = std::make_unique<monitor::SystemMonitor>(sources);
        monitor->setForeground(true);
        monitor->setHeavyEnabled(true);
        QQuickItem* view = build("SystemInfoView", {{"monitor", QVariant::fromValue<QObject*>(monitor.get())}},
                                 "import Velk.SystemInfo\n");
        // The appear hook asked for a sample.
        static_cast<ManualExecutor&>(*executor).runAll();
        settle();
        return view;
    }

    bool shown(const char* name) const
    {
        QQuickItem* found = find(name);
        return found && found->isVisible();
    }
};

TEST_F(SystemInfoViewTest, ColumnsStandSideBySideOnlyWhileBothFit)
{
    ASSERT_TRUE(buildScreen());
    ASSERT_TRUE(item->property("twoColumns").toBool());
    QQuickItem* left = find("systemInfo.left");
    QQuickItem* right = find("systemInfo.right");
    QQuickItem* block = find("systemInfo.block");
    // Equal halves with 89 between them, in a block of at most 760.
    EXPECT_EQ(block->width(), 760);
    EXPECT_EQ(left->width(), right->width());
    EXPECT_EQ(right->x(), left->width() + 89);
    EXPECT_FALSE(shown("systemInfo.columnSeparator"));

    // Offered exactly what both columns need: still two; one less: one.
    const double need = left->property("idealWidth").toDouble() + 89 + right->property("idealWidth").toDouble();
    ASSERT_LT(need, 760);
    window.resize(static_cast<int>(std::ceil(need)) + 110, 610);
    settle();
    EXPECT_TRUE(item->property("twoColumns").toBool());
    window.resize(static_cast<int>(std::ceil(need)) + 110 - 2, 610);
    settle();
    EXPECT_FALSE(item->property("twoColumns").toBool());
    EXPECT_EQ(right->x(), 0);
    EXPECT_GT(right->y(), left->height());
    EXPECT_TRUE(shown("systemInfo.columnSeparator"));
}

TEST_F(SystemInfoViewTest, RightColumnKeepsOnlyWhatTheMachineReports)
{
    // A battery and no cooling: the battery group ends the column.
    ASSERT_TRUE(buildScreen());
    EXPECT_TRUE(shown("systemInfo.battery"));
    EXPECT_FALSE(shown("systemInfo.batterySeparator"));
    EXPECT_FALSE(shown("systemInfo.cooling"));

    // Fans come with the next sample; the battery only with a refresh.
    sources->nextThermal.fans = {{0, 1850, 6000}};
    battery->properties.reset();
    monitor->sample();
    static_cast<ManualExecutor&>(*executor).runAll();
    settle();
    EXPECT_TRUE(shown("systemInfo.batterySeparator"));
    EXPECT_TRUE(shown("systemInfo.cooling"));
    QQuickItem* fan = find("systemInfo.row[fan0]");
    ASSERT_TRUE(fan);
    EXPECT_EQ(fan->findChild<QObject*>("label")->property("text"), "风扇 1");
    EXPECT_EQ(fan->findChild<QObject*>("value")->property("text"), "1850 RPM");

    click("systemInfo.refresh");
    settle();
    EXPECT_FALSE(shown("systemInfo.battery"));
    EXPECT_FALSE(shown("systemInfo.batterySeparator"));
    EXPECT_TRUE(shown("systemInfo.cooling"));
    shoot("systemInfo-cooling-only");
}

} // namespace
} // namespace velk::test
