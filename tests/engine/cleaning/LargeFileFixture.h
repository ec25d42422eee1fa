#pragma once

#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/settings/UserDefaults.h"
#include "platform/files/Volumes.h"
#include "support/FakeVolumes.h"
#include "support/MemoryDefaults.h"
#include "support/TempTree.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <memory>

namespace velk::test {

// A macOS layout over a temporary root (home at root/Users/me) with a
// volumes double and in-memory defaults. Big files are sparse, so they cost
// no disk space.
class LargeFileTree {
public:
    explicit LargeFileTree(const QString& homeRelative = QStringLiteral("Users/me"))
        : m_home(m_tree.dir("root/" + homeRelative))
        , m_locations(platform::locations::Locations::macProfile(m_tree.path("root"), m_home))
        , m_volumes(std::make_shared<FakeVolumes>())
        , m_volumesService(m_volumes)
        , m_defaults(std::make_shared<MemoryDefaults>())
        , m_defaultsService(m_defaults)
    {
    }

    QString root() const { return m_tree.path("root"); }
    QString home() const { return m_home; }
    // The path below the root.
    QString at(const QString& relative) const { return root() + '/' + relative; }
    QString dir(const QString& relative) const { return m_tree.dir("root/" + relative); }

    // A sparse file of `size` bytes below the root, optionally dated.
    QString file(const QString& relative, qint64 size, const QDateTime& modified = {}) const
    {
        const QString path = m_tree.file("root/" + relative);
        QFile f(path);
        f.resize(size);
        if (modified.isValid()) {
            f.open(QIODevice::ReadWrite);
            f.setFileTime(modified, QFileDevice::FileModificationTime);
        }
        return path;
    }

    QString link(const QString& relative, const QString& target) const { return m_tree.link("root/" + relative, target); }

    FakeVolumes& volumes() const { return *m_volumes; }
    MemoryDefaults& defaults() const { return *m_defaults; }

private:
    TempTree m_tree;
    QString m_home;
    platform::core::ScopedService<platform::locations::Locations> m_locations;
    std::shared_ptr<FakeVolumes> m_volumes;
    platform::core::ScopedService<platform::files::Volumes> m_volumesService;
    std::shared_ptr<MemoryDefaults> m_defaults;
    platform::core::ScopedService<platform::settings::UserDefaults> m_defaultsService;
};

} // namespace velk::test
