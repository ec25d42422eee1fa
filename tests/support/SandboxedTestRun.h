#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velk::test {

// Runs every test of the executable with a Qt application object of type
// App, so that queued calls, timers and QObject ownership behave as in the
// program. The real user's settings and caches are never touched: Qt's
// folders point into a temporary place for the whole run.
template <class App>
int runSandboxedTests(int argc, char** argv, const char* applicationName)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir sandboxDir(QDir::tempPath() + "/velk-test-home-XXXXXX");
    const QByteArray sandbox = sandboxDir.path().toLocal8Bit();
    qputenv("XDG_CONFIG_HOME", sandbox + "/config");
    qputenv("XDG_CACHE_HOME", sandbox + "/cache");
    qputenv("XDG_DATA_HOME", sandbox + "/data");
    QCoreApplication::setOrganizationName("VelkTest");
    QCoreApplication::setApplicationName(applicationName);
    testing::InitGoogleTest(&argc, argv);
    App app(argc, argv);
    return RUN_ALL_TESTS();
}

} // namespace velk::test
