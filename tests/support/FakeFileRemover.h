#pragma once

#include "platform/files/FileRemover.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <memory>
#include <mutex>

namespace velk::test {

// FileRemover double: records every call in order and answers false for the
// paths it is told to fail (as a folder that lets nobody remove entries
// would: a system error, EACCES). Other calls succeed (freeing nothing); with
// `reallyRemove` they are carried out by the real remover (removal for both
// kinds of call, so a test's items never reach the user's Trash).
class FakeFileRemover final : public platform::files::FileRemover {
public:
    explicit FakeFileRemover(bool reallyRemove = false)
        : m_real(reallyRemove ? platform::files::FileRemover::createDefault() : nullptr)
    {
    }

    void failFor(const QString& path)
    {
        std::lock_guard lock(m_mutex);
        m_failing.insert(path);
    }
    // A permanent removal of `path` ends partly done: only `part` (an entry
    // below it) is really removed, and the item stays.
    void partlyFor(const QString& path, const QString& part)
    {
        std::lock_guard lock(m_mutex);
        m_partly.insert(path, part);
    }
    // Fails only the trash move of `path`; its permanent removal succeeds.
    void failTrashFor(const QString& path)
    {
        std::lock_guard lock(m_mutex);
        m_failingTrash.insert(path);
    }

    platform::files::RemovalResult removePermanently(const platform::files::RemovalTarget& target) override
    {
        std::unique_lock lock(m_mutex);
        const QString part = m_partly.value(QFile::decodeName(target.path));
        lock.unlock();
        if (part.isEmpty())
            return record(m_removed, target, m_failing);
        record(m_removed, target, {QFile::decodeName(target.path)});
        return {false, createDefault()->removePermanently(part).freedBytes, QStringLiteral("partly removed")};
    }
    platform::files::RemovalResult moveToTrash(const platform::files::RemovalTarget& target) override
    {
        const QString path = QFile::decodeName(target.path);
        if (isFailing(m_failingTrash, path)) {
            std::lock_guard lock(m_mutex);
            m_trashed.append(path);
            return refusal();
        }
        return record(m_trashed, target, m_failing);
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
    static platform::files::RemovalResult refusal()
    {
        platform::files::RemovalResult refused{false, 0, QStringLiteral("Permission denied")};
        refused.reason = platform::files::RemovalReason::SystemError;
        refused.error = EACCES;
        return refused;
    }

    bool isFailing(const QSet<QString>& set, const QString& path) const
    {
        std::lock_guard lock(m_mutex);
        return set.contains(path);
    }

    platform::files::RemovalResult record(QStringList& calls, const platform::files::RemovalTarget& target,
                                   const QSet<QString>& failing)
    {
        const QString path = QFile::decodeName(target.path);
        {
            std::lock_guard lock(m_mutex);
            calls.append(path);
            if (failing.contains(path))
                return refusal();
        }
        return m_real ? m_real->removePermanently(target) : platform::files::RemovalResult{true, 0};
    }

    std::shared_ptr<platform::files::FileRemover> m_real;
    mutable std::mutex m_mutex;
    QSet<QString> m_failing;
    QSet<QString> m_failingTrash;
    QHash<QString, QString> m_partly;
    QStringList m_removed;
    QStringList m_trashed;
};

} // namespace velk::test
