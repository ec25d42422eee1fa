#include "engine/cleaning/CleaningLog.h"

namespace velk::cleaning {

Q_LOGGING_CATEGORY(cleaningLog, "velk.engine.cleaning")

} // namespace velk::cleaning
