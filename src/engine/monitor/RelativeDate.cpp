#include "engine/monitor/RelativeDate.h"

#include "platform/core/Clock.h"
#include "common/format/Formatting.h"
#include "platform/core/ServiceRegistry.h"

namespace velk::monitor {

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
    const auto lang = fmt::langFromCode(localeIdentifier.left(cut));
    return fmt::relativeDate(date, platform::core::service<platform::core::Clock>()->now(), lang);
}

} // namespace velk::monitor
