#include "engine/language/LanguageManager.h"
#include "engine/cleaning/ScanCategory.h"
#include "engine/cleaning/ScanCategoryID.h"
#include "engine/cleaning/ScanCategoryListModel.h"
#include "common/format/Formatting.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "support/MemoryDefaults.h"
#include "support/ScopedEnv.h"
#include "support/TempTree.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

using namespace velk;
using namespace velk::cleaning;
using namespace velk::language;
using namespace velk::palette;

namespace {

FileItem item(const QString& path, qint64 size, bool selected)
{
    return FileItem(path, size, std::nullopt, FileItem::ItemType::File, selected);
}

} // namespace

TEST(ScanCategoryID, TwentyFourCategoriesInDeclarationOrderWithTheirRawValues)
{
    const QStringList expected = {
        "user_caches", "system_logs", "user_logs", "trash", "downloads", "language_files",
        "derived_data", "xcode_cache", "xcode_simulator_cache", "xcode_device_support", "xcode_archives", "npm_cache",
        "brew_cache", "docker_data", "mail_attachments", "messages_attachments", "pip_cache", "maven_cache",
        "go_cache", "gradle_cache", "cargo_cache", "gem_cache", "composer_cache", "pod_cache"};
    QStringList raw;
    for (ScanCategoryID id : allScanCategoryIDs) {
        raw.append(rawValue(id));
        EXPECT_EQ(scanCategoryIDFromRawValue(rawValue(id)), id);
    }
    EXPECT_EQ(raw, expected);
    EXPECT_EQ(QSet<QString>(raw.begin(), raw.end()).size(), 24);

    EXPECT_EQ(scanCategoryIDFromRawValue(u"user_caches"), ScanCategoryID::userCaches);
    for (const char* text : {"userCaches", "User Caches", "USER_CACHES", "", "user_caches "})
        EXPECT_FALSE(scanCategoryIDFromRawValue(QString::fromLatin1(text))) << text;
}

TEST(ScanCategoryID, ConfirmationGroupsAndColours)
{
    QStringList confirmed;
    for (ScanCategoryID id : allScanCategoryIDs) {
        if (requiresConfirmation(id))
            confirmed.append(rawValue(id));
    }
    EXPECT_EQ(confirmed, QStringList({"trash", "downloads", "xcode_archives", "docker_data", "maven_cache",
                                      "cargo_cache", "gem_cache"}));

    EXPECT_EQ(color(ScanCategoryID::trash), ColorRole::red);
    EXPECT_EQ(color(ScanCategoryID::cargoCache), ColorRole::accent);
    EXPECT_EQ(color(ScanCategoryID::systemLogs), ColorRole::amber);
    EXPECT_EQ(color(ScanCategoryID::podCache), ColorRole::slate);
    EXPECT_EQ(group(ScanCategoryID::languageFiles), ScanCategoryGroup::apps);
    EXPECT_EQ(group(ScanCategoryID::npmCache), ScanCategoryGroup::languages);
    EXPECT_EQ(group(ScanCategoryID::derivedData), ScanCategoryGroup::xcode);
    EXPECT_EQ(rawValue(ScanCategoryGroup::xcode), QStringLiteral("Xcode 开发"));
    EXPECT_EQ(icon(ScanCategoryID::goCache), QStringLiteral("chevron.left.forwardslash.chevron.right"));
}

TEST(ScanCategoryID, TitlesAndSubtitlesFollowTheInterfaceLanguage)
{
    const auto displayBefore = fmt::displayLanguage();
    LanguageManager language(std::make_shared<test::MemoryDefaults>());

    language.setCurrent(QStringLiteral("en"));
    EXPECT_EQ(title(ScanCategoryID::derivedData, language), QStringLiteral("Xcode Derived Data"));
    EXPECT_EQ(subtitle(ScanCategoryID::languageFiles, language), QStringLiteral("App localization files"));
    EXPECT_EQ(subtitle(ScanCategoryID::userCaches, language), QStringLiteral("~/Library/Caches"));

    language.setCurrent(QStringLiteral("zh-Hans"));
    EXPECT_EQ(title(ScanCategoryID::derivedData, language), QStringLiteral("Xcode 派生数据"));
    EXPECT_EQ(subtitle(ScanCategoryID::languageFiles, language), QStringLiteral("应用程序内语言文件"));
    EXPECT_EQ(title(ScanCategoryID::mavenCache), QStringLiteral("Maven 本地仓库"));

    fmt::setDisplayLanguage(displayBefore);
}

TEST(ScanCategory, SelectionOfTheWholeCategory)
{
    ScanCategory empty(ScanCategoryID::trash);
    EXPECT_FALSE(empty.isSelected());
    empty.setSelected(true);
    EXPECT_FALSE(empty.isSelected());
    EXPECT_EQ(empty.selectedSize(), 0);
    EXPECT_TRUE(empty.scanState == ScanState::idle());

    ScanCategory category(ScanCategoryID::userCaches);
    category.items = {item("/t/a", 10, false), item("/t/b", 20, true), item("/t/c", 40, false)};
    EXPECT_TRUE(category.isSelected());
    EXPECT_EQ(category.totalSize(), 70);
    EXPECT_EQ(category.selectedSize(), 20);
    ASSERT_EQ(category.selectedItems().size(), 1u);
    EXPECT_EQ(category.selectedItems().front().path, QStringLiteral("/t/b"));

    category.setSelected(false);
    EXPECT_FALSE(category.isSelected());
    EXPECT_EQ(category.selectedSize(), 0);

    category.setSelected(true);
    EXPECT_EQ(category.selectedItems().size(), 3u);
    EXPECT_EQ(category.selectedSize(), 70);
}

TEST(ScanCategoryListModel, RowsShowEachCategoryWithItsFolderOnThisMachine)
{
    test::TempTree tree;
    const QString home = tree.dir(QStringLiteral("home"));
    test::ScopedEnv cache("XDG_CACHE_HOME", QByteArray());
    test::ScopedEnv data("XDG_DATA_HOME", QByteArray());
    platform::core::ScopedService<platform::locations::Locations> locations(platform::locations::Locations::linuxProfile(home));

    std::vector<ScanCategory> categories(allScanCategoryIDs.begin(), allScanCategoryIDs.end());
    categories[1].scanState = ScanState::done();
    categories[1].items = {item("/t/a", 10, false), item("/t/b", 20, true)};
    const ScanCategoryListModel model(categories);
    ASSERT_EQ(model.rowCount(), 24);

    auto shown = [&](ScanCategoryID id, const char* role) {
        return model.get(static_cast<int>(id)).value(QString::fromLatin1(role)).toString();
    };
    // Folders the platform keeps elsewhere are shown where they are.
    EXPECT_EQ(shown(ScanCategoryID::userCaches, "subtitle"), QStringLiteral("~/.cache"));
    EXPECT_EQ(shown(ScanCategoryID::pipCache, "englishSubtitle"), QStringLiteral("~/.cache/pip"));
    EXPECT_EQ(shown(ScanCategoryID::trash, "subtitle"), QStringLiteral("~/.local/share/Trash/files"));
    EXPECT_EQ(shown(ScanCategoryID::derivedData, "subtitle"), QStringLiteral("~/Library/Developer/Xcode/DerivedData"));
    EXPECT_EQ(shown(ScanCategoryID::systemLogs, "subtitle"), QStringLiteral("/Library/Logs"));
    EXPECT_EQ(shown(ScanCategoryID::languageFiles, "subtitle"), QStringLiteral("应用程序内语言文件"));
    EXPECT_EQ(shown(ScanCategoryID::languageFiles, "englishSubtitle"), QStringLiteral("App localization files"));

    const QVariantMap logs = model.get(model.indexOf(QStringLiteral("system_logs")));
    EXPECT_EQ(logs.value("id").toString(), QStringLiteral("system_logs"));
    EXPECT_EQ(logs.value("englishTitle").toString(), QStringLiteral("System Logs"));
    EXPECT_EQ(logs.value("group").toString(), QStringLiteral("系统垃圾"));
    EXPECT_EQ(logs.value("colorRole").toString(), QStringLiteral("amber"));
    EXPECT_EQ(logs.value("scanState").toString(), QStringLiteral("done"));
    EXPECT_TRUE(logs.value("isDone").toBool());
    EXPECT_TRUE(logs.value("isSelected").toBool());
    EXPECT_EQ(logs.value("totalSize").toLongLong(), 30);
    EXPECT_EQ(logs.value("selectedSize").toLongLong(), 20);
    EXPECT_EQ(logs.value("itemCount").toInt(), 2);
    EXPECT_EQ(model.indexOf(QStringLiteral("nothing")), -1);
    EXPECT_TRUE(model.get(24).isEmpty());
}
