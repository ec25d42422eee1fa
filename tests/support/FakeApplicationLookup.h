#pragma once

#include "platform/desktop/ApplicationLookup.h"

#include <QHash>

namespace velk::test {

// An ApplicationLookup double: knows the applications it is told about.
class FakeApplicationLookup : public platform::desktop::ApplicationLookup {
public:
    void add(const QString& bundleIdentifier, const QString& path) { m_apps.insert(bundleIdentifier, path); }

    std::optional<QString> applicationPath(const QString& bundleIdentifier) const override
    {
        const auto it = m_apps.constFind(bundleIdentifier);
        return it == m_apps.constEnd() ? std::nullopt : std::optional<QString>(*it);
    }

private:
    QHash<QString, QString> m_apps;
};

} // namespace velk::test
