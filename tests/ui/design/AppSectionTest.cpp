#include "engine/language/LanguageManager.h"
#include "platform/core/ServiceRegistry.h"
#include "support/MemoryDefaults.h"
#include "ui/design/AppSection.h"
#include "ui/design/VDS.h"

#include <QSet>
#include <gtest/gtest.h>

namespace velk::design {
namespace {

TEST(AppSection, CasesInOrderWithDistinctIdentifiers)
{
    const auto all = AppSection::allCases();
    ASSERT_EQ(all.size(), 8u);
    EXPECT_EQ(all.front(), AppSection::dashboard);
    EXPECT_EQ(all.back(), AppSection::processes);
    QSet<QString> ids;
    for (AppSection::Case c : all) {
        const AppSection section(c);
        ids.insert(section.id());
        EXPECT_EQ(AppSection::fromRawValue(section.rawValue()), c);
        EXPECT_FALSE(section.icon().isEmpty());
    }
    EXPECT_EQ(ids.size(), 8);
}

TEST(AppSection, RawValueIsNotTheTitleForSystemJunk)
{
    EXPECT_FALSE(AppSection::fromRawValue(u"系统清理").has_value());
    EXPECT_EQ(AppSection::fromRawValue(u"系统垃圾"), AppSection::systemJunk);
    EXPECT_FALSE(AppSection::fromRawValue(u"首页 ").has_value());
    EXPECT_FALSE(AppSection::fromRawValue(u"Home").has_value());
}

TEST(AppSection, TitlesFollowTheInterfaceLanguage)
{
    platform::core::ScopedService<platform::settings::UserDefaults> defaults(std::make_shared<test::MemoryDefaults>());
    language::LanguageManager language(defaults.get());
    const AppSection junk = AppSection::systemJunk;
    language.setCurrent("en");
    EXPECT_EQ(junk.localizedTitle(language), "System Cleanup");
    EXPECT_EQ(AppSection(AppSection::appUninstall).localizedTitle(language), "Uninstaller");
    language.setCurrent("zh-Hans");
    EXPECT_EQ(junk.localizedTitle(language), "系统清理");
    EXPECT_EQ(AppSection(AppSection::dashboard).localizedTitle(language), "首页");
}

TEST(AppSection, EverySectionSharesThePaletteAccent)
{
    for (AppSection::Case c : AppSection::allCases()) {
        EXPECT_EQ(AppSection(c).color(), VDS::C::accent());
        EXPECT_EQ(VDS::accent(c), VDS::C::accent());
    }
}

} // namespace
} // namespace velk::design
