#pragma once

#include "ui/models/SystemWords.h"

#include <QString>

namespace velk::screens {

// What the alert says when the system refuses to end a process: its name
// (isolated), its pid and the system's reason for `error`.
models::WordPair terminateRefusalText(const QString& name, qint32 pid, int error);

} // namespace velk::screens
