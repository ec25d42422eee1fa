#include "app/QmlModules.h"

#include "ui/design/AppIconCache.h"

#include <QQmlEngine>
#include <QtQml/QQmlExtensionPlugin>

// The plugin of each module; the engine registers a module's types when a
// file first imports it.
Q_IMPORT_QML_PLUGIN(Velk_DesignPlugin)
Q_IMPORT_QML_PLUGIN(Velk_ModelsPlugin)
Q_IMPORT_QML_PLUGIN(Velk_DashboardPlugin)
Q_IMPORT_QML_PLUGIN(Velk_SystemJunkPlugin)
Q_IMPORT_QML_PLUGIN(Velk_LargeFilesPlugin)
Q_IMPORT_QML_PLUGIN(Velk_DependenciesPlugin)
Q_IMPORT_QML_PLUGIN(Velk_AppUninstallPlugin)
Q_IMPORT_QML_PLUGIN(Velk_PrivacyPlugin)
Q_IMPORT_QML_PLUGIN(Velk_StartupPlugin)
Q_IMPORT_QML_PLUGIN(Velk_SystemInfoPlugin)
Q_IMPORT_QML_PLUGIN(Velk_ProcessesPlugin)
Q_IMPORT_QML_PLUGIN(Velk_SettingsPlugin)
Q_IMPORT_QML_PLUGIN(Velk_ShellPlugin)
Q_IMPORT_QML_PLUGIN(Velk_AppPlugin)

namespace velk::app {

void prepareQmlEngine(QQmlEngine& engine)
{
    // Where the modules' qmldir files and QML sources are compiled in.
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    if (!engine.imageProvider(QStringLiteral("appicon")))
        engine.addImageProvider(QStringLiteral("appicon"), new design::AppIconProvider);
}

} // namespace velk::app
