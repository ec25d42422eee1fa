#include "platform/core/LineSink.h"

#include <QLoggingCategory>
#include <cstdio>

namespace velk::platform::core {

LineSink standardOutputSink()
{
    return [](const QString& line) {
        const QByteArray bytes = line.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
        std::fflush(stdout);
    };
}

LineSink loggingSink(const QLoggingCategory& category)
{
    return [category = &category](const QString& line) { qCInfo(*category).noquote() << line; };
}

} // namespace velk::platform::core
