#include "platform/NameOrder.h"

namespace velk::platform {
namespace {

QLocale collationLocale(const QLocale& systemLocale)
{
    if (systemLocale.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return systemLocale;
}

} // namespace

LocalizedStandardCompare::LocalizedStandardCompare(const QLocale& systemLocale)
    : m_collator(collationLocale(systemLocale))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(true);
}

} // namespace velk::platform
