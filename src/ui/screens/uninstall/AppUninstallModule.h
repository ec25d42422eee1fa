#pragma once

class QQmlEngine;

namespace velk::screens {

// Makes `import Velk.AppUninstall` (and Velk.Design, Velk.Models) available in `engine`.
void prepareAppUninstallQml(QQmlEngine& engine);

} // namespace velk::screens
