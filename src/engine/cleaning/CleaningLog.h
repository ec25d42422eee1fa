#pragma once

#include <QLoggingCategory>

namespace velk::cleaning {

// Why a clean left an item, where the file remover does not say it itself.
Q_DECLARE_LOGGING_CATEGORY(cleaningLog)

} // namespace velk::cleaning
