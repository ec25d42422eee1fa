#pragma once

#include "platform/FileRemover.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

namespace velk::test {

// FileRemover double: records every call in order and answers false for the
// paths it is told to fail. Other calls succeed; with `reallyRemove` they are
// carried out by the real remover (removal for both kinds of call, so a
// test's items never reach the user's Trash).
class FakeFileRemover final : public platform::FileRemover {
public:
    explicit FakeFileRemover(bool reallyRemove = false)
        : m_real(reallyRemove ? platform::FileRemover::createDefault() : nullptr)
    {
    }

    void failFor(const QString& path)
    {
        std::lock_guard lock(m_mutex);
        m_failing.insert(path);
    }
    // Fails only the trash move of `path`; its permanent removal succeeds.
    void failTrashFor(const QString& path)
    {
        std::lock_guard lock(m_mutex);
        m_failingTrash.insert(path);
    }

    bool removePermanently(const QString& path) override
    {
        return record(m_removed, path, m_failing);
    }
    bool moveToTrash(const QString& path) override
    {
        if (isFailing(m_failingTrash, path)) {
            std::lock_guard lock(m_mutex);
            m_trashed.append(path);
            return false;
        }
        return record(m_trashed, path, m_failing);
    }

    QStringList removed() const
    {
        std::lock_guard lock(m_mutex);
        return m_removed;
    }
    QStringList trashed() const
    {
        std::lock_guard lock(m_mutex);
        return m_trashed;
    }

private:
    bool isFailing(const QSet<QString>& set, const QString& path) const
    {
        std::lock_guard lock(m_mutex);
        return set.contains(path);
    }

    bool record(QStringList& calls, const QString& path, const QSet<QString>& failing)
    {
        {
            std::lock_guard lock(m_mutex);
            calls.append(path);
            if (failing.contains(path))
                return false;
        }
        return m_real ? m_real->removePermanently(path) : true;
    }

    std::shared_ptr<platform::FileRemover> m_real;
    mutable std::mutex m_mutex;
    QSet<QString> m_failing;
    QSet<QString> m_failingTrash;
    QStringList m_removed;
    QStringList m_trashed;
};

} // namespace velk::test
