// The VelkClean application.

#include "app/CommandLine.h"
#include "app/VelkCleanApp.h"

#include <QGuiApplication>
#include <QIcon>
#include <QQuickWindow>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication::setOrganizationName(QStringLiteral("Velk"));
    QGuiApplication::setApplicationName(QStringLiteral("VelkClean"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Velk Clean"));
    QGuiApplication::setApplicationVersion(QStringLiteral(VELK_VERSION));

    // Read before the application object, which needs a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const velk::app::CommandLine line = velk::app::parseCommandLine(arguments);
    if (line.action == velk::app::CommandLine::Action::Print) {
        std::fputs(qPrintable(line.text), stdout);
        return 0;
    }
    if (line.action == velk::app::CommandLine::Action::Fail) {
        std::fputs(qPrintable(line.text), stderr);
        return 2;
    }

    QGuiApplication app(argc, argv);
    // The desktop shell finds the window's entry by this name (and on X11
    // by the window class, the application name) and shows this icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELK_APP_ID));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/velk/icons/" VELK_APP_ID ".svg")));

    velk::app::VelkCleanApp velkClean(line.options);
    if (!velkClean.start())
        return 1;

    // --screenshot is for scripts/run on a machine without a display: it
    // saves the window once it has settled, then quits.
    if (!line.screenshot.isEmpty()) {
        const QString file = line.screenshot;
        QTimer::singleShot(line.screenshotDelayMs, &app, [&velkClean, file] {
            const bool saved = velkClean.mainWindow()->grabWindow().save(file);
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    return QGuiApplication::exec();
}
