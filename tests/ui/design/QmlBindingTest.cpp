#include "app/QmlModules.h"
#include "platform/core/ServiceRegistry.h"
#include "support/MemoryDefaults.h"
#include "support/WarningsFailTheTest.h"
#include "ui/design/ThemeManager.h"

#include "engine/language/LanguageManager.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <memory>

namespace velk::design {
namespace {

class QmlBindingTest : public testing::Test {
protected:
    QmlBindingTest() { app::prepareQmlEngine(engine); }

    std::unique_ptr<QObject> create(const QByteArray& body)
    {
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nimport Velk.Design\n" + body, QUrl("qrc:/test/Binding.qml"));
        std::unique_ptr<QObject> object(component.create());
        EXPECT_TRUE(object) << component.errorString().toStdString();
        return object;
    }

    test::WarningsFailTheTest warnings;  // first, so that it ends last
    std::shared_ptr<test::MemoryDefaults> defaults = std::make_shared<test::MemoryDefaults>();
    platform::core::ScopedService<platform::settings::UserDefaults> service { defaults };
    QQmlEngine engine;
};

TEST_F(QmlBindingTest, ColourBindingsFollowAThemeSwitch)
{
    ThemeManager manager;
    manager.setCurrent(AppTheme::classic);
    auto object = create(R"(QtObject {
        property color background: VDS.C.bg0
        property color roleColour: VDS.C["amber"]
        property real gap: VDS.Space.m
        property real inset: VDS.Measure.mainContentLeadingInset(56, true)
        property int titleSize: VDS.title().pixelSize
    })");
    ASSERT_TRUE(object);
    EXPECT_EQ(object->property("background").value<QColor>(), QColor(0xF4, 0xF1, 0xEB));
    EXPECT_EQ(object->property("roleColour").value<QColor>(), QColor(0x8A, 0x5A, 0x1E));
    EXPECT_EQ(object->property("gap").toDouble(), 21);
    EXPECT_EQ(object->property("inset").toDouble(), 55);
    EXPECT_EQ(object->property("titleSize").toInt(), 21);

    manager.setCurrent(AppTheme::cyber);
    EXPECT_EQ(object->property("background").value<QColor>(), QColor(0x14, 0x13, 0x11));
    EXPECT_EQ(object->property("roleColour").value<QColor>(), QColor(0xE0, 0xB1, 0x5A));
}

TEST_F(QmlBindingTest, ThemeManagerSingletonSwitchesTheTheme)
{
    ThemeManager::shared().setCurrent(AppTheme::classic);
    defaults->clearWrites();
    auto object = create(R"(QtObject {
        property color text: VDS.C.text1
        property bool dark: ThemeManager.isCyber
        function choose(theme) { ThemeManager.current = theme }
    })");
    ASSERT_TRUE(object);
    EXPECT_FALSE(object->property("dark").toBool());
    QMetaObject::invokeMethod(object.get(), "choose", Q_ARG(QVariant, QVariant("cyber")));
    EXPECT_TRUE(object->property("dark").toBool());
    EXPECT_EQ(object->property("text").value<QColor>(), QColor(0xF4, 0xF1, 0xEB));
    EXPECT_EQ(defaults->writesTo("appTheme"), QVariantList { "cyber" });
    ThemeManager::shared().setCurrent(AppTheme::classic);
}

TEST_F(QmlBindingTest, TextsFollowTheInterfaceLanguage)
{
    language::LanguageManager& language = language::LanguageManager::shared();
    const QString before = language.current();
    language.setCurrent("zh-Hans");
    auto object = create(R"(QtObject {
        property string label: Lang.t("扫描", "Scan")
        property string section: Lang.sectionTitle(AppSection.allCases[2])
        property string icon: AppSection.icon("大文件")
    })");
    ASSERT_TRUE(object);
    EXPECT_EQ(object->property("label").toString(), "扫描");
    EXPECT_EQ(object->property("section").toString(), "系统清理");
    EXPECT_EQ(object->property("icon").toString(), "doc.viewfinder");
    language.setCurrent("en");
    EXPECT_EQ(object->property("label").toString(), "Scan");
    EXPECT_EQ(object->property("section").toString(), "System Cleanup");
    language.setCurrent(before);
}

void makeObject(const QByteArray& body)
{
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData("import QtQuick\n" + body, QUrl("qrc:/test/Warning.qml"));
    std::unique_ptr<QObject> object(component.create());
}

// A QML warning fails the test it comes in, unless the test expects it; an
// expected warning that never comes fails it too.
TEST(QmlWarnings, FailTheTestTheyComeIn)
{
    EXPECT_NONFATAL_FAILURE(
        {
            test::WarningsFailTheTest warnings;
            makeObject("QtObject { property int broken: missing.length }");
        },
        "ReferenceError: missing is not defined");
    {
        test::WarningsFailTheTest warnings;
        warnings.expect("missing is not defined");
        makeObject("QtObject { property int broken: missing.length }");
    }
    EXPECT_NONFATAL_FAILURE(
        {
            test::WarningsFailTheTest warnings;
            warnings.expect("never said");
        },
        "no warning matched never said");
}

} // namespace
} // namespace velk::design
