#pragma once

#include <QString>
#include <functional>

namespace velk::platform {

// Where a component writes its diagnostic lines, one text per line.
using LineSink = std::function<void(const QString& line)>;

// Writes each line to standard output and flushes it.
LineSink standardOutputSink();

} // namespace velk::platform
