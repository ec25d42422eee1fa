#include "engine/language/LanguageManager.h"

#include "common/format/Formatting.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/settings/SettingsUserDefaults.h"
#include "support/MemoryDefaults.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <future>

using velk::language::LanguageManager;
using velk::test::MemoryDefaults;
namespace fmt = velk::fmt;

namespace {

QVariant listOf(const QString& code)
{
    return QVariant(QStringList{code});
}

class LanguageManagerTest : public ::testing::Test {
protected:
    void TearDown() override { fmt::setDisplayLanguage(m_displayBefore); }

    std::shared_ptr<MemoryDefaults> defaults = std::make_shared<MemoryDefaults>();

private:
    fmt::Lang m_displayBefore = fmt::displayLanguage();
};

} // namespace

TEST_F(LanguageManagerTest, WithoutAStoredLanguageStartsInChinese)
{
    LanguageManager lang(defaults);
    EXPECT_EQ(lang.current(), "zh-Hans");
    EXPECT_FALSE(lang.isEnglish());
    EXPECT_EQ(lang.t("清理", "Clean"), "清理");
    EXPECT_EQ(fmt::displayLanguage(), fmt::Lang::Chinese);
    // Creation writes the preferred-languages list only.
    ASSERT_EQ(defaults->writes().size(), 1u);
    EXPECT_EQ(defaults->writes()[0].key, "AppleLanguages");
    EXPECT_EQ(defaults->writes()[0].value, listOf("zh-Hans"));
    EXPECT_FALSE(defaults->contains("language"));
}

TEST_F(LanguageManagerTest, StoredEnglishAppliesFromTheFirstCall)
{
    defaults->seed("language", "en");
    LanguageManager lang(defaults);
    EXPECT_TRUE(lang.isEnglish());
    EXPECT_EQ(lang.t("清理", "Clean"), "Clean");
    EXPECT_EQ(fmt::displayLanguage(), fmt::Lang::English);
    EXPECT_EQ(defaults->writesTo("AppleLanguages"), QVariantList{listOf("en")});
    EXPECT_TRUE(defaults->writesTo("language").isEmpty());
}

TEST_F(LanguageManagerTest, UnknownStoredCodesAreKeptAndBehaveAsChinese)
{
    for (const QString code : {"fr", "", "EN", "en-US"}) {
        auto store = std::make_shared<MemoryDefaults>();
        store->seed("language", code);
        fmt::setDisplayLanguage(fmt::Lang::English);
        LanguageManager lang(store);
        EXPECT_EQ(lang.current(), code);
        EXPECT_FALSE(lang.isEnglish()) << code.toStdString();
        EXPECT_EQ(lang.t("清理", "Clean"), "清理");
        EXPECT_EQ(fmt::displayLanguage(), fmt::Lang::Chinese);
        EXPECT_EQ(store->writesTo("AppleLanguages"), QVariantList{listOf(code)});
        EXPECT_TRUE(store->writesTo("language").isEmpty());
    }
    // A stored value that is not a text is no language at all.
    auto store = std::make_shared<MemoryDefaults>();
    store->seed("language", 7);
    EXPECT_EQ(LanguageManager(store).current(), "zh-Hans");
}

TEST_F(LanguageManagerTest, EveryAssignmentWritesBothKeysEvenWhenUnchanged)
{
    LanguageManager lang(defaults);
    QSignalSpy currentChanged(&lang, &LanguageManager::currentChanged);
    QSignalSpy englishChanged(&lang, &LanguageManager::isEnglishChanged);
    defaults->clearWrites();

    lang.setCurrent("en");
    lang.setCurrent("en");
    const std::vector<MemoryDefaults::Write> writes = defaults->writes();
    ASSERT_EQ(writes.size(), 4u);
    for (std::size_t i = 0; i < writes.size(); i += 2) {
        EXPECT_EQ(writes[i].key, "language");
        EXPECT_EQ(writes[i].value, QVariant("en"));
        EXPECT_EQ(writes[i + 1].key, "AppleLanguages");
        EXPECT_EQ(writes[i + 1].value, listOf("en"));
    }
    EXPECT_EQ(currentChanged.count(), 1);
    EXPECT_EQ(englishChanged.count(), 1);
    EXPECT_EQ(lang.t("清理", "Clean"), "Clean");
    EXPECT_EQ(fmt::displayLanguage(), fmt::Lang::English);

    // Between two Chinese codes the English flag does not change.
    lang.setCurrent("zh-Hans");
    lang.setCurrent("fr");
    EXPECT_EQ(currentChanged.count(), 3);
    EXPECT_EQ(englishChanged.count(), 2);
    EXPECT_EQ(fmt::displayLanguage(), fmt::Lang::Chinese);
    EXPECT_EQ(defaults->writesTo("language"), (QVariantList{"en", "en", "zh-Hans", "fr"}));
}

TEST_F(LanguageManagerTest, PropertiesWorkThroughTheMetaObject)
{
    LanguageManager lang(defaults);
    QSignalSpy currentChanged(&lang, &LanguageManager::currentChanged);
    EXPECT_TRUE(lang.setProperty("current", "en"));
    EXPECT_EQ(lang.property("isEnglish"), QVariant(true));
    EXPECT_EQ(currentChanged.count(), 1);
    QString chosen;
    QMetaObject::invokeMethod(&lang, "t", Q_RETURN_ARG(QString, chosen), Q_ARG(QString, "清理"), Q_ARG(QString, "Clean"));
    EXPECT_EQ(chosen, "Clean");
}

TEST_F(LanguageManagerTest, ChoicePersistsForTheNextStartOnDisk)
{
    velk::test::TempTree tree;
    const QString file = tree.path("defaults.json");
    LanguageManager(std::make_shared<velk::platform::settings::SettingsUserDefaults>(file)).setCurrent("en");

    QFile::copy(file, tree.path("next-start.json"));
    auto nextStart = std::make_shared<velk::platform::settings::SettingsUserDefaults>(tree.path("next-start.json"));
    EXPECT_EQ(nextStart->stringList("AppleLanguages"), QStringList{"en"});
    EXPECT_TRUE(LanguageManager(nextStart).isEnglish());
}

TEST_F(LanguageManagerTest, SharedInstanceIsOneMainThreadObject)
{
    velk::platform::core::ScopedService<velk::platform::settings::UserDefaults> service(defaults);
    auto fromWorker = std::async(std::launch::async, [] { return &LanguageManager::shared(); });
    LanguageManager* first = fromWorker.get();
    EXPECT_EQ(first, &LanguageManager::shared());
    EXPECT_EQ(first->thread(), QCoreApplication::instance()->thread());
}
