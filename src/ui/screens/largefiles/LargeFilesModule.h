#pragma once

class QQmlEngine;

namespace velk::screens {

// Makes `import Velk.LargeFiles` (and Velk.Design, Velk.Models) available in `engine`.
void prepareLargeFilesQml(QQmlEngine& engine);

} // namespace velk::screens
