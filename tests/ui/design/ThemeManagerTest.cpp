#include "platform/core/ServiceRegistry.h"
#include "support/MemoryDefaults.h"
#include "ui/design/AppTheme.h"
#include "ui/design/ThemeManager.h"
#include "ui/design/VDS.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace velk::design {
namespace {

using platform::core::ScopedService;
using platform::settings::UserDefaults;

class ThemeManagerTest : public testing::Test {
protected:
    std::shared_ptr<test::MemoryDefaults> defaults = std::make_shared<test::MemoryDefaults>();
    ScopedService<UserDefaults> service { defaults };
};

TEST_F(ThemeManagerTest, StartsFromTheStoredTheme)
{
    {
        ThemeManager manager;
        EXPECT_EQ(manager.current(), AppTheme::classic);
        EXPECT_EQ(VDS::C::bg0(), QColor(0xF4, 0xF1, 0xEB));
    }
    defaults->seed("appTheme", "cyber");
    {
        ThemeManager manager;
        EXPECT_EQ(manager.current(), AppTheme::cyber);
        EXPECT_TRUE(manager.isCyber());
        EXPECT_EQ(VDS::C::bg0(), QColor(0x14, 0x13, 0x11));
        EXPECT_TRUE(ThemeManager::isCyberPalette());
    }
    for (const char* stored : { "Cyber", "ink", "", "classic" }) {
        defaults->seed("appTheme", QString::fromLatin1(stored));
        ThemeManager manager;
        EXPECT_EQ(manager.current(), AppTheme::classic) << stored;
        EXPECT_FALSE(ThemeManager::isCyberPalette()) << stored;
    }
    // Reading never writes back, not even an unknown value.
    EXPECT_TRUE(defaults->writes().empty());
}

TEST_F(ThemeManagerTest, AssigningStoresTheChoiceAndReplacesTheSnapshot)
{
    ThemeManager manager;
    QSignalSpy changed(&manager, &ThemeManager::currentChanged);

    manager.setCurrent(AppTheme::cyber);
    EXPECT_EQ(defaults->writesTo("appTheme"), QVariantList { "cyber" });
    EXPECT_TRUE(ThemeManager::isCyberPalette());
    EXPECT_TRUE(ThemeManager::paletteSnapshot() == VelkColorPalette::ink());
    EXPECT_EQ(VDS::C::text1(), QColor(0xF4, 0xF1, 0xEB));
    EXPECT_EQ(changed.count(), 1);

    manager.setCurrentRawValue("no such theme");
    EXPECT_EQ(manager.current(), AppTheme::classic);
    EXPECT_EQ(defaults->writesTo("appTheme"), (QVariantList { "cyber", "classic" }));
    EXPECT_EQ(VDS::C::text1(), QColor(0x1A, 0x19, 0x16));
    EXPECT_EQ(changed.count(), 2);

    // Engine colour roles resolve against the current palette; unknown names give the accent.
    EXPECT_EQ(VDS::C::role(palette::ColorRole::amber), QColor(0x8A, 0x5A, 0x1E));
    EXPECT_EQ(VDS::C::role(palette::ColorRole::slate), VDS::C::text3());
    EXPECT_EQ(VDS::C::role(u"no such role"), VDS::C::accent());
    manager.setCurrent(AppTheme::cyber);
    EXPECT_EQ(VDS::C::role(palette::ColorRole::red), QColor(0xE0, 0x8A, 0x82));
}

TEST(AppTheme, RawValuesTitlesAndPalettes)
{
    EXPECT_EQ(AppTheme::allCases().size(), 2u);
    EXPECT_EQ(AppTheme::allCases().front(), AppTheme::cyber);
    EXPECT_EQ(AppTheme::fromRawValue(u"cyber"), AppTheme::cyber);
    EXPECT_EQ(AppTheme::fromRawValue(u"classic"), AppTheme::classic);
    EXPECT_FALSE(AppTheme::fromRawValue(u"paper").has_value());
    EXPECT_EQ(AppTheme(AppTheme::cyber).title(true), "Ink");
    EXPECT_EQ(AppTheme(AppTheme::cyber).title(false), "墨色");
    EXPECT_EQ(AppTheme(AppTheme::classic).title(true), "Paper");
    EXPECT_EQ(AppTheme(AppTheme::classic).title(false), "纸本");
    EXPECT_TRUE(AppTheme(AppTheme::classic).palette() == VelkColorPalette::paper());
}

} // namespace
} // namespace velk::design
