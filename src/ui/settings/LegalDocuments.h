#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace velk::settings {

// One section of a legal document: its title and its body (one paragraph of
// plain prose), each in Chinese and English.
struct LegalSection {
    QString zhTitle;
    QString enTitle;
    QString zhBody;
    QString enBody;
};

// The two legal documents the program carries. Their raw values ("privacy",
// "terms") identify them.
enum class LegalDocument { Privacy, Terms };

QString rawValue(LegalDocument document);
std::optional<LegalDocument> legalDocumentFromRawValue(const QString& raw);

QString titleZh(LegalDocument document);
QString titleEn(LegalDocument document);

// The six sections of `document`, in order. Where a body names the program's
// version it names `version`, the one that is running.
QList<LegalSection> legalSections(LegalDocument document, const QString& version);

// The date of the last revision, the same for both documents.
QString lastUpdatedZh();
QString lastUpdatedEn();

} // namespace velk::settings
