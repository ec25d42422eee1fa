// The VelkClean application.

#include "app/VelkCleanApp.h"
#include "ui/shell/SectionNames.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QIcon>
#include <QQuickWindow>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("Velk"));
    QGuiApplication::setApplicationName(QStringLiteral("VelkClean"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Velk Clean"));
    QGuiApplication::setApplicationVersion(QStringLiteral(VELK_VERSION));
    // The desktop shell finds the window's entry by this name (and on X11
    // by the window class, the application name) and shows this icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELK_APP_ID));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/velk/icons/" VELK_APP_ID ".svg")));

    // --screenshot is for scripts/run on a machine without a display: it
    // saves the window once it has settled, then quits.
    QCommandLineParser parser;
    parser.addOptions({
        { "screenshot", "Save a picture of the main window to FILE, then quit.", "file" },
        { "screenshot-delay", "Milliseconds to wait before --screenshot.", "ms", "3000" },
        { "section", "Show this section first (dashboard, systemJunk, processes, ...).", "name" },
    });
    parser.parse(QCoreApplication::arguments());

    velk::app::StartOptions options;
    if (parser.isSet("section")) {
        options.section = velk::shell::sectionFromCaseName(parser.value("section"));
        if (!options.section) {
            std::fprintf(stderr, "unknown section %s\n", qPrintable(parser.value("section")));
            return 2;
        }
    }
    velk::app::VelkCleanApp velkClean(options);
    if (!velkClean.start())
        return 1;

    if (parser.isSet("screenshot")) {
        const QString file = parser.value("screenshot");
        QTimer::singleShot(parser.value("screenshot-delay").toInt(), &app, [&velkClean, file] {
            const bool saved = velkClean.mainWindow()->grabWindow().save(file);
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    return QGuiApplication::exec();
}
