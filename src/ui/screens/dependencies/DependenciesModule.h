#pragma once

class QQmlEngine;

namespace velk::screens {

// Makes `import Velk.Dependencies` (and Velk.Design, Velk.Models) available in `engine`.
void prepareDependenciesQml(QQmlEngine& engine);

} // namespace velk::screens
