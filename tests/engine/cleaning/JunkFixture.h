#pragma once

#include "platform/core/CurrentUser.h"
#include "platform/core/Executor.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeFileRemover.h"
#include "support/FakeLocale.h"
#include "support/ManualExecutor.h"
#include "support/TempTree.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace velk::test {

// A macOS layout over a temporary root, with the user's home at
// root/Users/me, a fixed system language and a manual executor. Everything a
// test builds or removes lies inside the temporary folder.
class JunkHome {
public:
    explicit JunkHome(const QString& languageCode = QStringLiteral("en"))
        : m_home(m_tree.dir(QStringLiteral("root/Users/me")))
        , m_locations(platform::locations::Locations::macProfile(m_tree.path(QStringLiteral("root")), m_home))
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
    platform::core::ScopedService<platform::locations::Locations> m_locations;
    platform::core::ScopedService<platform::core::SystemLocale> m_locale;
    std::shared_ptr<ManualExecutor> m_manual;
    platform::core::ScopedService<platform::core::Executor> m_executor;
};

// Makes `folder`'s content undeletable: a read-only folder, or for root
// (who may write anywhere) a remover that refuses the item.
class Undeletable {
public:
    Undeletable(const QString& item, const QString& folder)
        : m_folder(folder)
        , m_remover(std::make_shared<FakeFileRemover>(true))
        , m_service(m_remover)
    {
        if (::geteuid() == 0)
            m_remover->failFor(item);
        else
            ::chmod(QFile::encodeName(folder).constData(), 0555);
    }
    ~Undeletable() { ::chmod(QFile::encodeName(m_folder).constData(), 0755); }

private:
    QString m_folder;
    std::shared_ptr<FakeFileRemover> m_remover;
    platform::core::ScopedService<platform::files::FileRemover> m_service;
};

} // namespace velk::test
