#pragma once

class QQmlEngine;

namespace velk::app {

// Makes every QML module of the program (Velk.Design, Velk.Models, the
// screens, Velk.Settings, Velk.Shell and Velk.App) importable in `engine`:
// their static plugins are linked in, and this adds the resource folder they
// sit in to the import path and the "appicon" image provider. The program,
// velk-shot and the view tests all prepare their engines here.
void prepareQmlEngine(QQmlEngine& engine);

} // namespace velk::app
