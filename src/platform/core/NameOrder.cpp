#include "platform/core/NameOrder.h"

namespace velk::platform::core {
namespace {

QLocale collationLocale(const QLocale& systemLocale)
{
    if (systemLocale.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return systemLocale;
}

} // namespace

int compareCaseInsensitive(QStringView a, QStringView b)
{
    // Collators are not safe to share between threads.
    thread_local const QCollator collator = [] {
        QCollator c;
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b);
}

LocalizedStandardCompare::LocalizedStandardCompare(const QLocale& systemLocale)
    : m_collator(collationLocale(systemLocale))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(true);
}

} // namespace velk::platform::core
