#pragma once

#include "app/VelkCleanApp.h"

#include <QString>
#include <QStringList>

namespace velk::app {

// What the program's arguments ask for.
struct CommandLine {
    enum class Action {
        // Start the window with `options`.
        Start,
        // Print `text` (the options, or the version) and quit.
        Print,
        // Report `text` as an error and quit with status 2.
        Fail,
    };
    Action action = Action::Start;
    QString text;
    StartOptions options;
    // The picture to save once the window has settled, then quit; empty
    // for none.
    QString screenshot;
    int screenshotDelayMs = 3000;
};

// Reads the program's arguments, its own name first. It needs no
// application object, so --help and --version answer without a display.
// Options it does not know are left alone: they may be Qt's own
// ("-platform", "-reverse") or read elsewhere ("-UpdateUIPreview").
CommandLine parseCommandLine(const QStringList& arguments);

} // namespace velk::app
