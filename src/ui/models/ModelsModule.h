#pragma once

class QQmlEngine;

namespace velk::models {

// Makes `import Velk.Models` available in `engine`: registers the engine and
// update types the views are handed (once per process) and adds the resource
// import path.
void prepareModelsQml(QQmlEngine& engine);

} // namespace velk::models
