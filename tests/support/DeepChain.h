#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace velk::test {

// A chain of `depth` nested folders "d" below `parent`, with a file of
// `fileSize` bytes ("leaf") in the deepest one: far deeper than any path
// the kernel resolves at once. Built and taken down one level at a time
// with descriptors, so neither step depends on the code under test. Taking
// it down is a no-op once it is gone.
class DeepChain {
public:
    DeepChain(const QString& parent, int depth, int fileSize)
        : m_parent(QFile::encodeName(parent))
    {
        int fd = ::open(m_parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        for (int level = 0; level < depth && fd >= 0; ++level) {
            ::mkdirat(fd, "d", 0755);
            const int child = ::openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(fd);
            fd = child;
        }
        if (fd < 0)
            return;
        const int file = ::openat(fd, "leaf", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (file >= 0) {
            m_built = ::ftruncate(file, fileSize) == 0;
            ::close(file);
        }
        ::close(fd);
    }
    ~DeepChain() { takeDown(); }
    DeepChain(const DeepChain&) = delete;
    DeepChain& operator=(const DeepChain&) = delete;

    bool built() const { return m_built; }

    // Goes down to the deepest folder, then back up through "..", removing
    // each level on the way.
    void takeDown()
    {
        struct stat top;
        if (::stat(m_parent.constData(), &top) != 0)
            return;
        int fd = ::open(m_parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        for (;;) {
            const int child = ::openat(fd, "d", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0)
                break;
            ::close(fd);
            fd = child;
        }
        ::unlinkat(fd, "leaf", 0);
        for (;;) {
            struct stat here;
            if (fd < 0 || ::fstat(fd, &here) != 0 || (here.st_dev == top.st_dev && here.st_ino == top.st_ino))
                break;
            const int up = ::openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(fd);
            fd = up;
            if (fd >= 0)
                ::unlinkat(fd, "d", AT_REMOVEDIR);
        }
        if (fd >= 0)
            ::close(fd);
    }

private:
    QByteArray m_parent;
    bool m_built = false;
};

} // namespace velk::test
