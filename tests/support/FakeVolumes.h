#pragma once

#include "platform/files/Volumes.h"

#include <QFile>

#include <mutex>
#include <vector>

namespace velk::test {

// Volumes double: a mount table and a start-up volume name set by the test.
class FakeVolumes final : public platform::files::Volumes {
public:
    // Adds a mount of `fsType` at `path`; its kind follows the type.
    void addMount(const QString& path, const QString& fsType)
    {
        platform::files::Mount mount;
        mount.path = path;
        mount.nativePath = QFile::encodeName(path);
        mount.fsType = fsType;
        const QByteArray type = fsType.toUtf8();
        mount.kind = platform::files::mountKindOf(std::string_view(type.constData(), static_cast<std::size_t>(type.size())));
        std::lock_guard lock(m_mutex);
        m_mounts.push_back(std::move(mount));
    }

    void setStartupVolumeName(std::optional<QString> name)
    {
        std::lock_guard lock(m_mutex);
        m_name = std::move(name);
    }

    std::vector<platform::files::Mount> mounts() const override
    {
        std::lock_guard lock(m_mutex);
        return m_mounts;
    }

    std::optional<QString> startupVolumeName() const override
    {
        std::lock_guard lock(m_mutex);
        return m_name;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<platform::files::Mount> m_mounts;
    std::optional<QString> m_name;
};

} // namespace velk::test
