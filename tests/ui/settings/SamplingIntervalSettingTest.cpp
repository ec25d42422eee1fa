#include "platform/core/ServiceRegistry.h"
#include "support/MemoryDefaults.h"
#include "ui/settings/SamplingIntervalSetting.h"

#include <gtest/gtest.h>
#include <limits>

namespace velk::settings {
namespace {

class SamplingIntervalSettingTest : public testing::Test {
protected:
    std::shared_ptr<test::MemoryDefaults> defaults = std::make_shared<test::MemoryDefaults>();
    platform::core::ScopedService<platform::settings::UserDefaults> service{defaults};

    QVariantList writes() const { return defaults->writesTo("samplingInterval"); }
};

TEST_F(SamplingIntervalSettingTest, LabelHasOneDecimalAndTheLetterS)
{
    EXPECT_EQ(SamplingIntervalSetting::label(1.0), "1.0s");
    EXPECT_EQ(SamplingIntervalSetting::label(2.5), "2.5s");
    EXPECT_EQ(SamplingIntervalSetting::label(5.0), "5.0s");
    EXPECT_EQ(SamplingIntervalSetting::label(2.0), "2.0s");
}

TEST_F(SamplingIntervalSettingTest, ReadsTheStoredValueWithoutWriting)
{
    struct Row {
        std::optional<QVariant> stored;
        double shown;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Row rows[] = {
        {std::nullopt, 2.0}, {3.5, 3.5}, {1.0, 1.0}, {5.0, 5.0},
        // Unusable values count as the default; usable ones stay in range.
        {0.0, 2.0}, {-3.0, 2.0}, {nan, 2.0}, {inf, 2.0}, {QString("fast"), 2.0},
        {0.25, 1.0}, {60.0, 5.0},
    };
    for (const Row& row : rows) {
        auto fresh = std::make_shared<test::MemoryDefaults>();
        if (row.stored)
            fresh->seed("samplingInterval", *row.stored);
        platform::core::ScopedService<platform::settings::UserDefaults> scoped(fresh);
        const SamplingIntervalSetting setting;
        SCOPED_TRACE(row.stored ? row.stored->toString().toStdString() : "none");
        EXPECT_DOUBLE_EQ(setting.value(), row.shown);
        EXPECT_TRUE(fresh->writes().empty());
    }
}

TEST_F(SamplingIntervalSettingTest, ChoosingWritesEachValueOnItsStepWithinTheRange)
{
    SamplingIntervalSetting setting;
    int changes = 0;
    QObject::connect(&setting, &SamplingIntervalSetting::valueChanged, [&] { ++changes; });
    setting.choose(2.5);
    EXPECT_EQ(setting.text(), "2.5s");
    setting.choose(3.2);
    EXPECT_DOUBLE_EQ(setting.value(), 3.0);
    setting.choose(0.0);
    setting.choose(9.0);
    EXPECT_EQ(writes(), (QVariantList{2.5, 3.0, 1.0, 5.0}));
    EXPECT_EQ(changes, 4);
    setting.choose(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(writes().size(), 4);
    EXPECT_DOUBLE_EQ(setting.value(), 5.0);
}

} // namespace
} // namespace velk::settings
