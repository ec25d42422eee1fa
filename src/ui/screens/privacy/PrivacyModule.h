#pragma once

class QQmlEngine;

namespace velk::screens {

// Makes `import Velk.Privacy` (and Velk.Design, Velk.Models) available in `engine`.
void preparePrivacyQml(QQmlEngine& engine);

} // namespace velk::screens
