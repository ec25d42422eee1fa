#include "engine/monitor/RelativeDate.h"

#include "platform/Clock.h"
#include "platform/Formatting.h"
#include "platform/ServiceRegistry.h"

namespace velk {

namespace {
struct FormatterState {
    QString appliedLocale;
    platform::fmt::Lang lang = platform::fmt::Lang::Chinese;
};

FormatterState& state()
{
    static FormatterState s;
    return s;
}
} // namespace

QString RelativeDate::string(const QDateTime& date, const QString& localeIdentifier)
{
    FormatterState& s = state();
    if (localeIdentifier != s.appliedLocale) {
        // "en_US" and "en-GB" are English as "en" is.
        qsizetype cut = -1;
        for (qsizetype i = 0; i < localeIdentifier.size() && cut < 0; ++i) {
            if (localeIdentifier[i] == u'-' || localeIdentifier[i] == u'_')
                cut = i;
        }
        s.lang = platform::fmt::langFromCode(cut < 0 ? localeIdentifier : localeIdentifier.left(cut));
        s.appliedLocale = localeIdentifier;
    }
    return platform::fmt::relativeDate(date, platform::service<platform::Clock>()->now(), s.lang);
}

} // namespace velk
