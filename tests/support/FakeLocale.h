#pragma once

#include "platform/core/CurrentUser.h"

#include <QString>

namespace velk::test {

// A SystemLocale double with a chosen language code ("zh", "en", ...).
class FakeLocale : public platform::core::SystemLocale {
public:
    explicit FakeLocale(QString languageCode = "zh") : m_code(std::move(languageCode)) {}

    QString languageCode() const override { return m_code; }
    void setLanguageCode(const QString& code) { m_code = code; }

private:
    QString m_code;
};

} // namespace velk::test
