#pragma once

#include <QString>
#include <functional>

class QLoggingCategory;

namespace velk::platform::core {

// Where a component writes its diagnostic lines, one text per line.
using LineSink = std::function<void(const QString& line)>;

// Writes each line to standard output and flushes it.
LineSink standardOutputSink();

// Logs each line as an information message of `category`, which must live
// for the whole run (a Q_LOGGING_CATEGORY's).
LineSink loggingSink(const QLoggingCategory& category);

} // namespace velk::platform::core
