#pragma once

#include <QString>
#include <memory>

namespace velk::platform::core {

// The user the application runs as.
class CurrentUser {
public:
    virtual ~CurrentUser() = default;
    // HOME when it holds an absolute path, else the account's home from the
    // password database.
    virtual QString homePath() const = 0;
    virtual uint uid() const = 0;
    virtual QString userName() const = 0;

    static std::shared_ptr<CurrentUser> createDefault();
};

// The system locale (not the interface language chosen in Settings).
class SystemLocale {
public:
    virtual ~SystemLocale() = default;
    // Language part of the locale, e.g. "zh" or "en".
    virtual QString languageCode() const = 0;

    static std::shared_ptr<SystemLocale> createDefault();
};

} // namespace velk::platform::core
