#pragma once

class QQmlEngine;

namespace velk::screens {

// Makes `import Velk.Dashboard` (and Velk.Design, Velk.Models) available in `engine`.
void prepareDashboardQml(QQmlEngine& engine);

} // namespace velk::screens
