#include "app/QmlModules.h"
#include "ui/shell/WindowModels.h"

#include "platform/core/ServiceRegistry.h"
#include "support/FakeMonitorSources.h"
#include "support/FakeWorkspace.h"
#include "support/MemoryDefaults.h"
#include "support/UpdateDouble.h"
#include "support/WarningsFailTheTest.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <gtest/gtest.h>
#include <memory>

namespace velk::shell {
namespace {

class WindowModelsTest : public testing::Test {
protected:
    WindowModelsTest() { app::prepareQmlEngine(engine); }

    std::unique_ptr<QObject> create(const QByteArray& body, const QVariantMap& properties)
    {
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nimport Velk.Design\nimport Velk.Models\nimport Velk.Shell\n" + body, QUrl("qrc:/test/Root.qml"));
        errors = component.errorString();
        if (component.isError())
            return nullptr;
        std::unique_ptr<QObject> object(component.createWithInitialProperties(properties));
        errors = component.errorString();
        return object;
    }

    test::WarningsFailTheTest warnings;  // first, so that it ends last
    std::shared_ptr<test::MemoryDefaults> defaults = std::make_shared<test::MemoryDefaults>();
    platform::core::ScopedService<platform::settings::UserDefaults> service { defaults };
    std::shared_ptr<test::FakeWorkspace> workspace = std::make_shared<test::FakeWorkspace>();
    std::unique_ptr<language::LanguageManager> language = std::make_unique<language::LanguageManager>(defaults);
    std::unique_ptr<monitor::SystemMonitor> monitor = std::make_unique<monitor::SystemMonitor>(std::make_shared<test::FakeMonitorSources>());
    design::ThemeManager theme;
    test::UpdateDouble updates;
    WindowModels models { *monitor, *language, theme, *updates, workspace };
    QQmlEngine engine;
    QString errors;
};

TEST_F(WindowModelsTest, ViewsAreHandedTypedModelsFromTheRoot)
{

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

TEST_F(WindowModelsTest, EveryScreenViewModelIsReadThroughItsType)
{
    auto screen = create(R"(Item {
        required property WindowModels models
        property LargeFilesViewModel largeFiles: models.largeFiles
        property AppUninstallViewModel appUninstall: models.appUninstall
        property PrivacyViewModel privacy: models.privacy
        property StartupViewModel startup: models.startup
        property DesktopActions desktop: models.desktop
        readonly property double minSize: largeFiles.minSizeMB
        readonly property int apps: appUninstall.apps.rowCount()
        readonly property int appRow: appUninstall.apps.indexOf("none")
        readonly property int privacyTargets: privacy.items.rowCount()
        readonly property bool startupLoading: startup.isLoading
    })", {{"models", QVariant::fromValue(&models)}});
    ASSERT_TRUE(screen) << errors.toStdString();
    const std::pair<const char*, QObject*> handed[] = {
        {"largeFiles", models.largeFiles()}, {"appUninstall", models.appUninstall()}, {"privacy", models.privacy()},
        {"startup", models.startup()}, {"desktop", models.desktop()}};
    for (const auto& [name, object] : handed) {
        EXPECT_NE(object, nullptr) << name;
        EXPECT_EQ(screen->property(name).value<QObject*>(), object) << name;
    }
    EXPECT_EQ(screen->property("minSize").toDouble(), models.largeFiles()->minSizeMB());
    EXPECT_EQ(screen->property("apps").toInt(), 0);
    EXPECT_EQ(screen->property("appRow").toInt(), -1);
    EXPECT_EQ(screen->property("privacyTargets").toInt(), models.privacy()->items().size());
    EXPECT_FALSE(screen->property("startupLoading").toBool());
}

TEST_F(WindowModelsTest, DesktopActionsReachTheRootsWorkspace)
{
    auto view = create(R"(Item {
        required property WindowModels models
        function act() {
            models.desktop.reveal("/data/movie.mkv")
            models.desktop.reveal("")
            return [models.desktop.openUrl("https://example.org/help"),
                    models.desktop.openApplication("/usr/share/applications/editor.desktop"),
                    models.desktop.openApplication("")]
        }
    })", {{"models", QVariant::fromValue(&models)}});
    ASSERT_TRUE(view) << errors.toStdString();
    QVariant answers;
    QMetaObject::invokeMethod(view.get(), "act", Q_RETURN_ARG(QVariant, answers));
    EXPECT_EQ(answers.toList(), (QVariantList {true, true, false}));
    using Call = test::FakeWorkspace::Call;
    EXPECT_EQ(workspace->calls(), (QList<Call> {{"revealFiles", {"/data/movie.mkv"}},
                                               {"openUrl", {"https://example.org/help"}},
                                               {"openApplication", {"/usr/share/applications/editor.desktop"}}}));
}

TEST_F(WindowModelsTest, EngineObjectsCannotBeMadeInQml)
{
    for (const char* type : {"SystemMonitor", "SystemJunkViewModel", "ProcessListModel", "ScanCategoryListModel",
                             "UpdateController", "WindowModels", "LargeFilesViewModel", "AppUninstallViewModel",
                             "AppListModel", "PrivacyViewModel", "StartupViewModel", "DesktopActions"}) {
        auto object = create(QByteArray("Item { property QtObject made: ") + type + " {} }", {});
        EXPECT_FALSE(object) << type;
        EXPECT_FALSE(errors.isEmpty()) << type;
    }
}

} // namespace
} // namespace velk::shell
