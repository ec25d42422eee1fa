#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Test main for executables that build views: like the shared one, but with a
// GUI application object, which Qt Quick needs. The real user's settings are
// never touched: Qt's folders point into a temporary place for the whole run.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir sandboxDir(QDir::tempPath() + "/velk-test-home-XXXXXX");
    const QByteArray sandbox = sandboxDir.path().toLocal8Bit();
    qputenv("XDG_CONFIG_HOME", sandbox + "/config");
    qputenv("XDG_CACHE_HOME", sandbox + "/cache");
    qputenv("XDG_DATA_HOME", sandbox + "/data");
    QCoreApplication::setOrganizationName("VelkTest");
    QCoreApplication::setApplicationName("VelkCleanUiTests");
    testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
