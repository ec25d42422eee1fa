#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

namespace velk::settings {

// `Legal` in QML: the texts of the two legal documents, addressed by their
// raw value ("privacy", "terms"). The views choose the language of each pair
// with `Lang.t`, so every text switches with the interface language.
class LegalTexts : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Legal)
    QML_SINGLETON
    Q_PROPERTY(QString lastUpdatedZh READ lastUpdatedZh CONSTANT)
    Q_PROPERTY(QString lastUpdatedEn READ lastUpdatedEn CONSTANT)

public:
    using QObject::QObject;

    QString lastUpdatedZh() const;
    QString lastUpdatedEn() const;

    Q_INVOKABLE QString titleZh(const QString& document) const;
    Q_INVOKABLE QString titleEn(const QString& document) const;
    // The document's sections in order, each a map of `zhTitle`, `enTitle`,
    // `zhBody` and `enBody`; none for an unknown document.
    Q_INVOKABLE QVariantList sections(const QString& document) const;
};

} // namespace velk::settings
