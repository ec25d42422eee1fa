#pragma once

class QQmlEngine;

namespace velk::shell {

// Makes `import Velk.Shell` (and the modules it builds on) available in
// `engine`.
void prepareQmlEngine(QQmlEngine& engine);

} // namespace velk::shell
