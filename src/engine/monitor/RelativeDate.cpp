#include "engine/monitor/RelativeDate.h"

#include "platform/Clock.h"
#include "platform/Formatting.h"
#include "platform/ServiceRegistry.h"

namespace velk {

QString RelativeDate::string(const QDateTime& date, const QString& localeIdentifier)
{
    // "en_US" and "en-GB" are English as "en" is.
    qsizetype cut = localeIdentifier.size();
    for (qsizetype i = 0; i < localeIdentifier.size(); ++i) {
        if (localeIdentifier[i] == u'-' || localeIdentifier[i] == u'_') {
            cut = i;
            break;
        }
    }
    const auto lang = platform::fmt::langFromCode(localeIdentifier.left(cut));
    return platform::fmt::relativeDate(date, platform::service<platform::Clock>()->now(), lang);
}

} // namespace velk
