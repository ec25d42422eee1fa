#pragma once

#include "platform/CurrentUser.h"
#include "platform/Executor.h"
#include "platform/Locations.h"
#include "platform/ServiceRegistry.h"
#include "support/FakeLocale.h"
#include "support/ManualExecutor.h"
#include "support/TempTree.h"

#include <QString>
#include <gtest/gtest.h>
#include <memory>

namespace velk::test {

// A macOS layout over a temporary root, with the user's home at
// root/Users/me, a fixed system language and a manual executor. Everything a
// test builds or removes lies inside the temporary folder.
class JunkHome {
public:
    explicit JunkHome(const QString& languageCode = QStringLiteral("en"))
        : m_home(m_tree.dir(QStringLiteral("root/Users/me")))
        , m_locations(platform::Locations::macProfile(m_tree.path(QStringLiteral("root")), m_home))
        , m_locale(std::make_shared<FakeLocale>(languageCode))
        , m_manual(std::make_shared<ManualExecutor>())
        , m_executor(m_manual)
    {
    }

    QString root() const { return m_tree.path(QStringLiteral("root")); }
    QString home() const { return m_home; }
    // A file of `size` bytes at a path relative to the home; returns its path.
    QString file(const QString& relative, qint64 size) const
    {
        return m_tree.file(QStringLiteral("root/Users/me/") + relative, size);
    }
    // A file at a path relative to the root ("Applications/...").
    QString rootFile(const QString& relative, qint64 size) const
    {
        return m_tree.file(QStringLiteral("root/") + relative, size);
    }
    QString dir(const QString& relative) const { return m_tree.dir(QStringLiteral("root/Users/me/") + relative); }
    ManualExecutor& executor() const { return *m_manual; }

private:
    TempTree m_tree;
    QString m_home;
    platform::ScopedService<platform::Locations> m_locations;
    platform::ScopedService<platform::SystemLocale> m_locale;
    std::shared_ptr<ManualExecutor> m_manual;
    platform::ScopedService<platform::Executor> m_executor;
};

} // namespace velk::test
