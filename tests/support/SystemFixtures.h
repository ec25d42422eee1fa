#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <grp.h>
#include <pthread.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

namespace velk::test {

// A real mount made for one test (the suite runs as root in CI) and taken
// down, lazily, when the object goes: declare it after the temporary trees
// it joins so that it goes first.
class ScopedMount {
public:
    // `mount --bind source target`
    static ScopedMount bind(const QString& source, const QString& target)
    {
        return ScopedMount(QFile::encodeName(source), QFile::encodeName(target), nullptr, MS_BIND);
    }
    // `mount --bind -o ro source target`: what lies below `target` can be
    // read but not changed, as on a disk mounted read-only.
    static ScopedMount readOnly(const QString& source, const QString& target)
    {
        ScopedMount mount(QFile::encodeName(source), QFile::encodeName(target), nullptr, MS_BIND);
        if (mount.m_ok && ::mount(nullptr, mount.m_target.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            mount.m_error = std::strerror(errno);
        return mount;
    }
    // A fresh tmpfs at `target`, with tmpfs `options` such as "nr_inodes=4".
    static ScopedMount tmpfs(const QString& target, const char* options = nullptr)
    {
        return ScopedMount("none", QFile::encodeName(target), "tmpfs", 0, options);
    }

    ScopedMount(ScopedMount&& other) noexcept
        : m_target(std::move(other.m_target)), m_ok(other.m_ok), m_error(other.m_error)
    {
        other.m_ok = false;
    }
    ~ScopedMount()
    {
        if (m_ok)
            ::umount2(m_target.constData(), MNT_DETACH);
    }
    ScopedMount(const ScopedMount&) = delete;
    ScopedMount& operator=(const ScopedMount&) = delete;

    bool ok() const { return m_ok && !*m_error; }
    // Why the mount failed, for the test's message.
    const char* error() const { return m_error; }

private:
    ScopedMount(const QByteArray& source, QByteArray target, const char* type, unsigned long flags,
                const char* options = nullptr)
        : m_target(std::move(target))
    {
        m_ok = ::mount(source.constData(), m_target.constData(), type, flags, options) == 0;
        m_error = m_ok ? "" : std::strerror(errno);
    }

    QByteArray m_target;
    bool m_ok = false;
    const char* m_error = "";
};

// Runs `body` in a forked child once `enter` has set the child up, and
// returns the child's answer (`body`'s result), or -1 when `enter` failed or
// the child ended abnormally.
inline int runInChild(bool (*enter)(), const std::function<int()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(enter() ? body() & 0xff : 255);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

// `body` in a child that has given up root for the unprivileged uid and gid
// 65534. Permission cases use it so that they test the same thing whoever
// runs the suite.
inline int runUnprivileged(const std::function<int()>& body)
{
    return runInChild([] {
        return ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0);
    }, body);
}

// While it lives, the calling thread, and no other, acts as the unprivileged
// uid and gid 65534 when the suite runs as root: the kernel checks the files
// it opens as that user's. For permission cases whose work a manual executor
// runs on the test's own thread and hands to objects of this process, which a
// forked child could not do. Non-root runs are bound by the modes already.
class UnprivilegedThread {
public:
    UnprivilegedThread()
        : m_root(::geteuid() == 0)
    {
        // The raw calls change this thread only; the C library's wrappers
        // would change every thread of the process.
        m_ok = !m_root
            || (::syscall(SYS_setresgid, -1, 65534, -1) == 0 && ::syscall(SYS_setresuid, -1, 65534, -1) == 0);
    }
    ~UnprivilegedThread()
    {
        if (m_root) {
            ::syscall(SYS_setresuid, -1, 0, -1);
            ::syscall(SYS_setresgid, -1, 0, -1);
        }
    }
    UnprivilegedThread(const UnprivilegedThread&) = delete;
    UnprivilegedThread& operator=(const UnprivilegedThread&) = delete;

    bool ok() const { return m_ok; }

private:
    bool m_root;
    bool m_ok = false;
};

// `body` in a child with a mount namespace of its own, so that the mounts it
// makes (the suite runs as root) reach nothing outside.
inline int runInOwnMountNamespace(const std::function<int()>& body)
{
    return runInChild([] {
        return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }, body);
}

// Runs `body` on a thread with a stack of only `stackBytes`, so that a
// recursion as deep as a test's tree shows itself as a crash instead of
// needing a tree deep enough to exhaust a full-size stack.
inline void runOnSmallStack(std::size_t stackBytes, const std::function<void()>& body)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackBytes);
    pthread_t thread;
    auto start = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    if (pthread_create(&thread, &attributes, start, const_cast<std::function<void()>*>(&body)) == 0)
        pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

// Lets every user into `path` (temporary folders are made private).
inline void openToEveryone(const QString& path)
{
    ::chmod(QFile::encodeName(path).constData(), 0755);
}

} // namespace velk::test
