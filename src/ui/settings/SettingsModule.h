#pragma once

class QQmlEngine;

namespace velk::settings {

// Makes `import Velk.Settings` (and Velk.Design, Velk.Models) available in `engine`.
void prepareSettingsQml(QQmlEngine& engine);

} // namespace velk::settings
