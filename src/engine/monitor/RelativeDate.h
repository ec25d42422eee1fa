#pragma once

#include <QDateTime>
#include <QString>

namespace velk::monitor {

// Modification dates of the large-file rows, relative to now.
class RelativeDate {
public:
    // `date` relative to the platform clock's now, in the short style of the
    // language of `localeIdentifier` ("en", "en_US", "zh-Hans", ...).
    static QString string(const QDateTime& date, const QString& localeIdentifier);
};

} // namespace velk::monitor
