#pragma once

class QQmlEngine;

namespace velk::screens {

// Makes `import Velk.SystemJunk` (and Velk.Design, Velk.Models) available in `engine`.
void prepareSystemJunkQml(QQmlEngine& engine);

} // namespace velk::screens
