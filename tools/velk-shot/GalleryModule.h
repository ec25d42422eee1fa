#pragma once

class QQmlEngine;

namespace velk::gallery {

// Makes `import Velk.Gallery` (and the modules whose views it shows)
// available in `engine`.
void prepareQmlEngine(QQmlEngine& engine);

} // namespace velk::gallery
