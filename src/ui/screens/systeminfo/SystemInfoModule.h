#pragma once

class QQmlEngine;

namespace velk::screens {

// Makes `import Velk.SystemInfo` (and Velk.Design, Velk.Models) available in
// `engine`.
void prepareSystemInfoQml(QQmlEngine& engine);

} // namespace velk::screens
