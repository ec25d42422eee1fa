#include "ui/shell/ShellModule.h"
#include "ui/shell/WindowModels.h"

#include "support/FakeMonitorSources.h"
#include "platform/ServiceRegistry.h"
#include "support/MemoryDefaults.h"
#include "support/UpdateDouble.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <gtest/gtest.h>
#include <memory>

namespace velk::shell {
namespace {

class WindowModelsTest : public testing::Test {
protected:
    WindowModelsTest() { prepareQmlEngine(engine); }

    std::unique_ptr<QObject> create(const QByteArray& body, const QVariantMap& properties)
    {
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nimport Velk.Design\nimport Velk.Shell\n" + body, QUrl("qrc:/test/Root.qml"));
        errors = component.errorString();
        if (component.isError())
            return nullptr;
        std::unique_ptr<QObject> object(component.createWithInitialProperties(properties));
        errors = component.errorString();
        return object;
    }

    std::shared_ptr<test::MemoryDefaults> defaults = std::make_shared<test::MemoryDefaults>();
    platform::ScopedService<platform::UserDefaults> service { defaults };
    QQmlEngine engine;
    QString errors;
};

TEST_F(WindowModelsTest, ViewsAreHandedTypedModelsFromTheRoot)
{
    auto language = std::make_unique<LanguageManager>(defaults);
    auto monitor = std::make_unique<SystemMonitor>(std::make_shared<test::FakeMonitorSources>());
    ThemeManager theme;
    test::UpdateDouble updates;
    WindowModels models(*monitor, *language, theme, *updates);

    // A screen declares what it needs; the window passes the root's models.
    auto screen = create(R"(Item {
        required property WindowModels models
        property SystemJunkViewModel junk: models.junk
        property SystemMonitor monitor: models.monitor
        property UpdateController updates: models.updates
        readonly property int categoryCount: junk.categories.count
        readonly property int processCount: monitor.processModel.count
        readonly property string language: models.language.current
        readonly property string version: updates.localVersion
        readonly property bool badge: updates.showsBadge
    })", {{"models", QVariant::fromValue(&models)}});
    ASSERT_TRUE(screen) << errors.toStdString();
    EXPECT_EQ(screen->property("junk").value<QObject*>(), models.junk());
    EXPECT_EQ(screen->property("monitor").value<QObject*>(), monitor.get());
    EXPECT_EQ(screen->property("categoryCount").toInt(), 24);
    EXPECT_EQ(screen->property("processCount").toInt(), 0);
    EXPECT_EQ(screen->property("language").toString(), QStringLiteral("zh-Hans"));
    EXPECT_EQ(screen->property("updates").value<QObject*>(), updates.controller.get());
    EXPECT_EQ(screen->property("version").toString(), updates->localVersion());
    EXPECT_FALSE(screen->property("badge").toBool());

    // A model of the wrong type is refused rather than read as undefined.
    auto wrong = create("Item { required property SystemJunkViewModel junk }", {{"junk", QVariant::fromValue(monitor.get())}});
    EXPECT_TRUE(!wrong || wrong->property("junk").value<QObject*>() == nullptr);
}

TEST_F(WindowModelsTest, EngineObjectsCannotBeMadeInQml)
{
    for (const char* type : {"SystemMonitor", "SystemJunkViewModel", "ProcessListModel", "ScanCategoryListModel",
                             "UpdateController", "WindowModels"}) {
        auto object = create(QByteArray("Item { property QtObject made: ") + type + " {} }", {});
        EXPECT_FALSE(object) << type;
        EXPECT_FALSE(errors.isEmpty()) << type;
    }
}

} // namespace
} // namespace velk::shell
