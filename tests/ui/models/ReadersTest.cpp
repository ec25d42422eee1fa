#include "platform/core/ServiceRegistry.h"
#include "platform/host/MachineFacts.h"
#include "platform/sensors/BatteryRegistry.h"
#include "support/FakeHostProbe.h"
#include "ui/design/QuickFixture.h"

namespace velk::models {
namespace {

class FixedBattery final : public platform::sensors::BatteryRegistry {
public:
    std::optional<QVariantMap> properties;
    std::optional<QVariantMap> batteryProperties() const override { return properties; }
};

class FixedFacts final : public platform::host::MachineFacts {
public:
    QString model = "MacBookPro18,3";
    std::optional<QString> hostName() const override { return QStringLiteral("workbench"); }
    QString osName() const override { return QStringLiteral("Debian GNU/Linux"); }
    QString osVersion() const override { return QStringLiteral("12"); }
    QString architecture() const override { return QStringLiteral("x86-64 (x86_64)"); }
    QString modelIdentifier() const override { return model; }
    std::optional<std::uint64_t> installedMemory() const override { return std::nullopt; }
};

// The views read the engine's one-shot readers through the Readers singleton,
// each call reading anew.
class ReadersTest : public test::QuickFixture {
protected:
    std::shared_ptr<FixedBattery> battery = std::make_shared<FixedBattery>();
    std::shared_ptr<FixedFacts> facts = std::make_shared<FixedFacts>();
    std::shared_ptr<test::FakeHostProbe> host = std::make_shared<test::FakeHostProbe>();
    platform::core::ScopedService<platform::sensors::BatteryRegistry> batteryService { battery };
    platform::core::ScopedService<platform::host::MachineFacts> factsService { facts };
    platform::core::ScopedService<platform::host::HostProbe> hostService { host };

    QVariant read(const QByteArray& expression)
    {
        QQuickItem* root = show("import Velk.Models\nItem { function read() { return " + expression + " } }");
        if (!root)
            return {};
        QVariant value;
        QMetaObject::invokeMethod(root, "read", Q_RETURN_ARG(QVariant, value));
        return value;
    }
};

TEST_F(ReadersTest, BatteryIsAbsentOnAMachineWithoutOne)
{
    EXPECT_FALSE(read("Readers.battery().present").toBool());
    EXPECT_EQ(read("Readers.battery().percent").toInt(), 0);
    EXPECT_TRUE(read("Readers.battery().minutesRemaining === undefined").toBool());
}

TEST_F(ReadersTest, BatteryFieldsAndMissingFiguresReachTheViews)
{
    battery->properties = QVariantMap {
        { "CurrentCapacity", 64 },
        { "CycleCount", 211 },
        { "IsCharging", true },
        { "ExternalConnected", true },
        { "BatteryData", QVariantMap { { "DesignCapacity", 5000 }, { "FullChargeCapacity", 3900 } } },
    };
    EXPECT_TRUE(read("Readers.battery().present").toBool());
    EXPECT_EQ(read("Readers.battery().percent").toInt(), 64);
    EXPECT_TRUE(read("Readers.battery().charging").toBool());
    EXPECT_TRUE(read("Readers.battery().externalPower").toBool());
    EXPECT_EQ(read("Readers.battery().cycles").toInt(), 211);
    EXPECT_EQ(read("Readers.battery().healthPercent").toInt(), 78);
    EXPECT_EQ(read("Readers.battery().condition").toString(), "service");
    // A figure the battery does not give is undefined, not zero.
    EXPECT_TRUE(read("Readers.battery().minutesRemaining === undefined").toBool());
    EXPECT_TRUE(read("Readers.battery().adapterWatts === undefined").toBool());
    // So is every figure of a battery that gives only its charge.
    battery->properties = QVariantMap { { "CurrentCapacity", 64 } };
    EXPECT_TRUE(read("Readers.battery().present").toBool());
    EXPECT_TRUE(read("[Readers.battery().cycles, Readers.battery().designCapacity, Readers.battery().fullCapacity,"
                     " Readers.battery().healthPercent, Readers.battery().condition].every(v => v === undefined)")
                    .toBool());

    // Every call reads again.
    battery->properties.reset();
    EXPECT_FALSE(read("Readers.battery().present").toBool());
}

TEST_F(ReadersTest, MachineProfileAndDeviceKind)
{
    host->memory = 17179869184;
    host->brand = "Acme Z80";
    EXPECT_EQ(read("Readers.machineProfile().hostName").toString(), "workbench");
    EXPECT_EQ(read("Readers.machineProfile().osVersion").toString(), "Debian GNU/Linux 12");
    EXPECT_EQ(read("Readers.machineProfile().chip").toString(), "Acme Z80");
    EXPECT_EQ(read("Readers.machineProfile().memoryGB").toString(), "16 GB");
    EXPECT_EQ(read("Readers.machineProfile().architecture").toString(), "x86-64 (x86_64)");
    EXPECT_EQ(read("Readers.deviceKind()").toString(), "macBook");
    facts->model = "iMac21,1";
    EXPECT_EQ(read("Readers.deviceKind()").toString(), "iMac");
}

} // namespace
} // namespace velk::models
