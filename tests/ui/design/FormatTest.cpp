#include "app/QmlModules.h"
#include "engine/language/LanguageManager.h"
#include "platform/core/ServiceRegistry.h"
#include "support/ManualClock.h"
#include "support/MemoryDefaults.h"
#include "support/WarningsFailTheTest.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <gtest/gtest.h>
#include <memory>

namespace velk {
namespace {

class FormatTest : public testing::Test {
protected:
    FormatTest()
    {
        app::prepareQmlEngine(engine);
        language::LanguageManager::shared().setCurrent(QStringLiteral("en"));
    }
    ~FormatTest() override { language::LanguageManager::shared().setCurrent(QStringLiteral("zh-Hans")); }

    std::unique_ptr<QObject> create(const QByteArray& body)
    {
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nimport Velk.Design\n" + body, QUrl("qrc:/test/Format.qml"));
        std::unique_ptr<QObject> object(component.create());
        EXPECT_TRUE(object) << component.errorString().toStdString();
        return object;
    }

    QString text(QObject& object, const char* name) const { return object.property(name).toString(); }

    test::WarningsFailTheTest warnings;  // first, so that it ends last
    std::shared_ptr<test::MemoryDefaults> defaults = std::make_shared<test::MemoryDefaults>();
    platform::core::ScopedService<platform::settings::UserDefaults> service { defaults };
    std::shared_ptr<test::ManualClock> clock = std::make_shared<test::ManualClock>();
    platform::core::ScopedService<platform::core::Clock> clockService { clock };
    QQmlEngine engine;
};

TEST_F(FormatTest, NumbersRoundAsTheFormattersDoNotAsJavaScriptDoes)
{
    auto object = create(R"(QtObject {
        property string half: Format.fixed(0.125, 2)
        property string negative: Format.fixed(-2.5, 0)
        property string nan: Format.fixed(NaN, 1)
        property string percentHalf: Format.percent(0.125)
        property string percentNegative: Format.percent(-0.125)
        property string percentNan: Format.percent(NaN)
        property string count: Format.count(-1234567.5)
        property string countNan: Format.count(NaN)
        property string decimal: Format.decimal(1234567)
        property string decimalHalf: Format.decimal(2.5)
        property string decimalTiny: Format.decimal(-0.2)
        property string decimalInf: Format.decimal(Infinity)
        property string share: Format.fixedPercent(0.123, 1)
        property string shareWhole: Format.fixedPercent(0.4, 1)
        property string shareBelow: Format.fixedPercent(0.477, 1)
        property string shareNan: Format.fixedPercent(NaN, 1)
    })");
    ASSERT_TRUE(object);
    EXPECT_EQ(text(*object, "half"), "0.12");   // toFixed would give "0.13"
    EXPECT_EQ(text(*object, "negative"), "-2");
    EXPECT_EQ(text(*object, "nan"), "nan");
    EXPECT_EQ(text(*object, "percentHalf"), "13%");
    EXPECT_EQ(text(*object, "percentNegative"), "-13%");
    EXPECT_EQ(text(*object, "percentNan"), QStringLiteral("\u2014"));
    EXPECT_EQ(text(*object, "count"), "-1,234,568");
    EXPECT_EQ(text(*object, "countNan"), QStringLiteral("\u2014"));
    EXPECT_EQ(text(*object, "decimal"), "1234567");   // ids and ports are never grouped
    EXPECT_EQ(text(*object, "decimalHalf"), "3");
    EXPECT_EQ(text(*object, "decimalTiny"), "0");
    EXPECT_EQ(text(*object, "decimalInf"), QStringLiteral("\u2014"));
    EXPECT_EQ(text(*object, "share"), "12.3%");
    EXPECT_EQ(text(*object, "shareWhole"), "40.0%");
    EXPECT_EQ(text(*object, "shareBelow"), "47.7%");
    EXPECT_EQ(text(*object, "shareNan"), QStringLiteral("\u2014"));
}

TEST_F(FormatTest, WordedTextsFollowTheInterfaceLanguage)
{
    auto object = create(R"(QtObject {
        property date when: new Date(Date.UTC(2026, 11, 8, 11, 57, 0))
        property string file: Format.bytes(1500000)
        property string zero: Format.bytes(0)
        property string memory: Format.memoryBytes(1572864)
        property string binary: Format.binaryBytes(1024)
        property string nan: Format.bytes(NaN)
        property string uptime: Format.uptime(3660)
        property string relative: Format.relativeDate(when)
        property string medium: Format.mediumDateTime(when)
    })");
    ASSERT_TRUE(object);
    EXPECT_EQ(text(*object, "file"), "1.5 MB");
    EXPECT_EQ(text(*object, "zero"), "Zero KB");
    EXPECT_EQ(text(*object, "memory"), "1.5 MB");
    EXPECT_EQ(text(*object, "binary"), "1 KB");
    EXPECT_EQ(text(*object, "nan"), "Zero KB");
    EXPECT_EQ(text(*object, "uptime"), "1h 1m");
    EXPECT_EQ(text(*object, "relative"), "3 min. ago");
    EXPECT_FALSE(text(*object, "medium").isEmpty());

    language::LanguageManager::shared().setCurrent(QStringLiteral("zh-Hans"));
    EXPECT_EQ(text(*object, "zero"), QStringLiteral("零 KB"));
    EXPECT_EQ(text(*object, "uptime"), QStringLiteral("1 小时 1 分钟"));
    EXPECT_EQ(text(*object, "relative"), QStringLiteral("3分钟前"));
    EXPECT_TRUE(text(*object, "medium").startsWith(QStringLiteral("2026年12月8日")));
}

} // namespace
} // namespace velk
