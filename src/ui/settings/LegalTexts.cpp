#include "ui/settings/LegalTexts.h"

#include "services/update/UpdateCheck.h"
#include "ui/settings/LegalDocuments.h"

#include <QVariantMap>

namespace velk::settings {

QString LegalTexts::lastUpdatedZh() const
{
    return settings::lastUpdatedZh();
}

QString LegalTexts::lastUpdatedEn() const
{
    return settings::lastUpdatedEn();
}

QString LegalTexts::titleZh(const QString& document) const
{
    const auto found = legalDocumentFromRawValue(document);
    return found ? settings::titleZh(*found) : QString();
}

QString LegalTexts::titleEn(const QString& document) const
{
    const auto found = legalDocumentFromRawValue(document);
    return found ? settings::titleEn(*found) : QString();
}

QVariantList LegalTexts::sections(const QString& document) const
{
    const auto found = legalDocumentFromRawValue(document);
    if (!found)
        return {};
    QVariantList list;
    for (const LegalSection& s : legalSections(*found, UpdateCheck::localVersion())) {
        list.append(QVariantMap{
            {QStringLiteral("zhTitle"), s.zhTitle},
            {QStringLiteral("enTitle"), s.enTitle},
            {QStringLiteral("zhBody"), s.zhBody},
            {QStringLiteral("enBody"), s.enBody},
        });
    }
    return list;
}

} // namespace velk::settings
