#pragma once

class QQmlEngine;

namespace velk::design {

// Makes `import Velk.Design` available in `engine`: registers the module's
// types (once per process) and adds the resource import path.
void prepareQmlEngine(QQmlEngine& engine);

} // namespace velk::design
