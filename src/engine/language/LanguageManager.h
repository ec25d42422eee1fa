#pragma once

#include <QObject>
#include <QString>
#include <memory>

namespace velk::platform::settings {
class UserDefaults;
}

namespace velk::language {

// The interface language of the whole application: "zh-Hans" (Chinese, the
// default) or "en" (English). Every text is written as a Chinese/English pair
// and chosen with t(). Only "en" means English; any other code, also an
// unknown one read back from the defaults, behaves as Chinese and is kept as
// it is. Lives on the main thread; keeps the formatters' display language in
// step with `current`.
class LanguageManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString current READ current WRITE setCurrent NOTIFY currentChanged)
    Q_PROPERTY(bool isEnglish READ isEnglish NOTIFY isEnglishChanged)

public:
    // Reads the stored language from `defaults` ("zh-Hans" when none) and
    // writes it back as the preferred-languages list.
    explicit LanguageManager(std::shared_ptr<platform::settings::UserDefaults> defaults, QObject* parent = nullptr);

    // The one instance of the process, over the application's defaults;
    // created on first use and never released.
    static LanguageManager& shared();

    QString current() const { return m_current; }
    // Stores and publishes `code`, then writes it to the defaults, also when
    // it equals the current one.
    void setCurrent(const QString& code);
    bool isEnglish() const;

    Q_INVOKABLE QString t(const QString& zh, const QString& en) const;

signals:
    void currentChanged();
    void isEnglishChanged();

private:
    void persistPreferredLanguages();

    std::shared_ptr<platform::settings::UserDefaults> m_defaults;
    QString m_current;
};

} // namespace velk::language
