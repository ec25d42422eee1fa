#pragma once

#include "engine/language/LanguageManager.h"
#include "ui/design/AppSection.h"
#include "ui/design/ThemeManager.h"

#include <QObject>
#include <QStringList>
#include <QtQml/qqml.h>

class QQmlEngine;
class QJSEngine;

namespace velk::design {

// `ThemeManager` in QML: the process-wide theme owner.
struct ThemeManagerForeign {
    Q_GADGET
    QML_FOREIGN(velk::design::ThemeManager)
    QML_NAMED_ELEMENT(ThemeManager)
    QML_SINGLETON
public:
    static velk::design::ThemeManager* create(QQmlEngine*, QJSEngine*);
};

// `LanguageManager` in QML: the interface language (`current`, "zh-Hans" or
// "en"). Texts choose their language through `Lang.t(zh, en)`.
struct LanguageManagerForeign {
    Q_GADGET
    QML_FOREIGN(velk::language::LanguageManager)
    QML_NAMED_ELEMENT(LanguageManager)
    QML_SINGLETON
public:
    static velk::language::LanguageManager* create(QQmlEngine*, QJSEngine*);
};

// `AppSection` in QML. Sections are handled by their identifier (the raw
// value); titles in the current language come from `Lang.sectionTitle(id)`
// and the colour is `VDS.C.accent`.
class AppSectionQml : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(AppSection)
    QML_SINGLETON
    Q_PROPERTY(QStringList allCases READ allCases CONSTANT)
public:
    using QObject::QObject;

    QStringList allCases() const;
    Q_INVOKABLE bool contains(const QString& id) const;
    Q_INVOKABLE QString chineseTitle(const QString& id) const;
    Q_INVOKABLE QString englishTitle(const QString& id) const;
    Q_INVOKABLE QString icon(const QString& id) const;
};

} // namespace velk::design
