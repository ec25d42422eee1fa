#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

// Every test executable runs with a Qt application object so that queued
// calls, timers and QObject ownership behave as in the program. The settings
// of the real user are never touched: Qt's folders point into a temporary
// place for the whole run.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir sandboxDir(QDir::tempPath() + "/velk-test-home-XXXXXX");
    const QByteArray sandbox = sandboxDir.path().toLocal8Bit();
    qputenv("XDG_CONFIG_HOME", sandbox + "/config");
    qputenv("XDG_CACHE_HOME", sandbox + "/cache");
    qputenv("XDG_DATA_HOME", sandbox + "/data");
    QCoreApplication::setOrganizationName("VelkTest");
    QCoreApplication::setApplicationName("VelkCleanTests");
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
