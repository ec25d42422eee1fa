#pragma once

class QQmlEngine;

namespace velk::screens {

// Makes `import Velk.Startup` (and Velk.Design, Velk.Models) available in `engine`.
void prepareStartupQml(QQmlEngine& engine);

} // namespace velk::screens
