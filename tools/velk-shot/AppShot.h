#pragma once

class QCommandLineParser;

namespace velk::shot {

class SteppedAnimationDriver;

// Adds the options of --app to `parser`.
void addAppOptions(QCommandLineParser& parser);

// --app: runs the application's start-up code headless with settings kept in
// memory, over this machine or a fixture folder, and writes pictures of the
// main window (one, or those a script asks for). Returns the exit status.
int runApp(const QCommandLineParser& parser, SteppedAnimationDriver& driver);

} // namespace velk::shot
