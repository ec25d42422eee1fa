#pragma once

class QQmlEngine;

namespace velk::screens {

// Makes `import Velk.Processes` (and Velk.Design, Velk.Models) available in `engine`.
void prepareProcessesQml(QQmlEngine& engine);

} // namespace velk::screens
