#include "engine/monitor/SystemInfoService.h"

#include "platform/host/HostProbe.h"
#include "platform/host/MachineFacts.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeHostProbe.h"
#include "support/ManualClock.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

using velk::monitor::MacDeviceKind;
using velk::monitor::SystemInfoService;
using velk::platform::core::ScopedService;

namespace {

class FixedFacts final : public velk::platform::host::MachineFacts {
public:
    std::optional<QString> host;
    QString name = "Debian GNU/Linux";
    QString version = "12";
    QString model;
    std::optional<std::uint64_t> installed;
    std::optional<QString> hostName() const override { return host; }
    QString osName() const override { return name; }
    QString osVersion() const override { return version; }
    QString architecture() const override { return "x86-64 (x86_64)"; }
    QString modelIdentifier() const override { return model; }
    std::optional<std::uint64_t> installedMemory() const override { return installed; }
};

TEST(MachineProfile, JoinsTheMachineFacts)
{
    auto facts = std::make_shared<FixedFacts>();
    auto host = std::make_shared<velk::test::FakeHostProbe>();
    ScopedService<velk::platform::host::MachineFacts> f(facts);
    ScopedService<velk::platform::host::HostProbe> h(host);
    host->memory = 25769803776;
    host->brand = "Acme Z80";

    auto p = SystemInfoService::machineProfile();
    EXPECT_EQ(p.hostName, "—");
    EXPECT_EQ(p.osVersion, "Debian GNU/Linux 12");
    EXPECT_EQ(p.chip, "Acme Z80");
    EXPECT_EQ(p.memoryGB, "24 GB");
    EXPECT_EQ(p.architecture, "x86-64 (x86_64)");
    EXPECT_FALSE(p.platformLabel);

    facts->host = "workbench";
    facts->version.clear();
    host->memory = 8589934592;
    p = SystemInfoService::machineProfile();
    EXPECT_EQ(p.hostName, "workbench");
    EXPECT_EQ(p.osVersion, "Debian GNU/Linux");
    EXPECT_EQ(p.memoryGB, "8 GB");
    // The installed blocks count over the kernel's lower total.
    facts->installed = 17179869184;
    EXPECT_EQ(SystemInfoService::machineProfile().memoryGB, "16 GB");
}

TEST(MachineFacts, ReadsOsReleaseAndModelBelowARoot)
{
    velk::test::TempTree tree;
    tree.fileWithContent("etc/os-release", "# comment\nNAME=\"Debian GNU/Linux\"\nVERSION_ID='12'\nID=debian\n");
    tree.fileWithContent("sys/devices/virtual/dmi/id/product_name", "ThinkPad X1 Carbon Gen 9\n");
    const auto facts = velk::platform::host::MachineFacts::fromRoot(tree.root());
    EXPECT_EQ(facts->osName(), "Debian GNU/Linux");
    EXPECT_EQ(facts->osVersion(), "12");
    EXPECT_EQ(facts->modelIdentifier(), "ThinkPad X1 Carbon Gen 9");

    velk::test::TempTree lib;
    lib.fileWithContent("usr/lib/os-release", "NAME=Fedora Linux\nVERSION_ID=41\n");
    lib.fileWithContent("proc/device-tree/model", QByteArray("Raspberry Pi 5 Model B Rev 1.0\0", 31));
    const auto other = velk::platform::host::MachineFacts::fromRoot(lib.root());
    EXPECT_EQ(other->osName(), "Fedora Linux");
    EXPECT_EQ(other->osVersion(), "41");
    EXPECT_EQ(other->modelIdentifier(), "Raspberry Pi 5 Model B Rev 1.0");
    EXPECT_FALSE(other->installedMemory());

    // Two of three 128 MiB blocks online.
    tree.fileWithContent("sys/devices/system/memory/block_size_bytes", "8000000\n");
    tree.fileWithContent("sys/devices/system/memory/memory0/online", "1\n");
    tree.fileWithContent("sys/devices/system/memory/memory1/online", "0\n");
    tree.fileWithContent("sys/devices/system/memory/memory32/online", "1\n");
    EXPECT_EQ(facts->installedMemory(), 2u * 134217728u);

    EXPECT_EQ(velk::platform::host::MachineFacts::architectureLabel("x86_64"), "x86-64 (x86_64)");
    EXPECT_EQ(velk::platform::host::MachineFacts::architectureLabel("aarch64"), "ARM 64-bit (aarch64)");
    EXPECT_EQ(velk::platform::host::MachineFacts::architectureLabel("riscv64"), "riscv64");
}

TEST(DeviceKind, ClassifiesModelIdentifiers)
{
    struct Case {
        const char* model;
        MacDeviceKind kind;
    };
    for (const Case& c : {Case{"MacBookPro18,3", MacDeviceKind::macBook}, Case{"Macmini9,1", MacDeviceKind::macMini},
                          Case{"Mac14,13", MacDeviceKind::macBook}, Case{"MacPro7,1", MacDeviceKind::macPro},
                          Case{"iMac21,1", MacDeviceKind::iMac}, Case{"Mac Studio", MacDeviceKind::macStudio},
                          Case{"", MacDeviceKind::macBook}, Case{"ThinkCentre M75q Tiny Mini", MacDeviceKind::macMini}}) {
        EXPECT_EQ(velk::monitor::macDeviceKindForModel(c.model), c.kind) << c.model;
    }
    auto facts = std::make_shared<FixedFacts>();
    facts->model = "iMac20,1";
    ScopedService<velk::platform::host::MachineFacts> f(facts);
    EXPECT_EQ(velk::monitor::currentMacDeviceKind(), MacDeviceKind::iMac);

    for (MacDeviceKind k : {MacDeviceKind::macBook, MacDeviceKind::iMac, MacDeviceKind::macMini, MacDeviceKind::macStudio,
                            MacDeviceKind::macPro, MacDeviceKind::unknown})
        EXPECT_EQ(velk::monitor::macDeviceKindFromRawValue(velk::monitor::toRawValue(k)), k);
    EXPECT_FALSE(velk::monitor::macDeviceKindFromRawValue("MacBook"));
}

TEST(PerCoreUsage, FractionsOfTheTicksBetweenTwoReadings)
{
    using T = velk::monitor::CPUService::CoreTicks;
    const std::vector<T> first{{100, 1000}, {500, 1000}, {10, 100}, {50, 100}};
    const std::vector<T> second{{150, 1100}, {500, 1000}, {300, 200}, {40, 200}};
    // 50/100; no progress; capped at 1; busy fell back.
    EXPECT_EQ(SystemInfoService::usageBetween(first, second), (std::vector<double>{0.5, 0.0, 1.0, 0.0}));
    EXPECT_TRUE(SystemInfoService::usageBetween({}, {}).empty());
    EXPECT_TRUE(SystemInfoService::usageBetween(first, std::vector<T>(first.begin(), first.end() - 1)).empty());
}

TEST(PerCoreUsage, WaitsOnTheClockBetweenReadings)
{
    auto host = std::make_shared<velk::test::FakeHostProbe>();
    auto clock = std::make_shared<velk::test::ManualClock>();
    ScopedService<velk::platform::host::HostProbe> h(host);
    ScopedService<velk::platform::core::Clock> c(clock);
    host->load = std::vector<velk::platform::host::CpuLoad>{{10, 10, 80, 0}};

    QObject context;
    std::optional<std::vector<double>> result;
    SystemInfoService::perCoreUsage(&context, [&](std::vector<double> v) { result = std::move(v); });
    EXPECT_FALSE(result);
    host->load = std::vector<velk::platform::host::CpuLoad>{{40, 10, 130, 0}};
    clock->advance(0.35);
    ASSERT_TRUE(result);
    EXPECT_EQ(*result, std::vector<double>{0.375});
    EXPECT_EQ(clock->requestedDelays(), std::vector<double>{0.35});
}

} // namespace
