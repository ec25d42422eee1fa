#include "platform/files/FolderCursor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace velk::platform::files {

FolderCursor::FolderCursor() = default;
FolderCursor::~FolderCursor() = default;

void FolderCursor::start(core::UniqueFd fd, const EntryAttributes& attributes, std::string rootPath,
                         bool rootWithoutLinks, bool verifyOpens)
{
    m_rootWithoutLinks = rootWithoutLinks;
    m_verifyOpens = verifyOpens;
    m_frames.clear();
    m_rootPath = std::move(rootPath);
    m_complete = true;
    m_error = 0;
    m_firstOpen = 0;
    Frame& root = m_frames.emplace_back();
    root.fd = std::move(fd);
    root.attributes = attributes;
    root.stamp = stampOf(attributes);
    attachBuffer(root);
}

void FolderCursor::attachBuffer(Frame& frame)
{
    if (!m_spareBuffers.empty()) {
        frame.buffer = std::move(m_spareBuffers.back());
        m_spareBuffers.pop_back();
    } else {
        frame.buffer = std::make_unique<char[]>(kListingBufferSize);
    }
    frame.filled = 0;
    frame.offset = 0;
}

const struct dirent64* FolderCursor::next()
{
    Frame& frame = m_frames.back();
    for (;;) {
        if (frame.offset < frame.filled) {
            const auto* entry = reinterpret_cast<const struct dirent64*>(frame.buffer.get() + frame.offset);
            frame.offset += entry->d_reclen;
            frame.resume = entry->d_off;
            const char* n = entry->d_name;
            if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')))
                continue;
            return entry;
        }
        if (frame.ended || !frame.fd.isOpen())
            return nullptr;
        const ssize_t read = ::getdents64(frame.fd.get(), frame.buffer.get(), kListingBufferSize);
        if (read <= 0) {
            if (read < 0) {
                m_complete = false;
                m_error = errno;
            }
            frame.ended = true;
            return nullptr;
        }
        frame.filled = read;
        frame.offset = 0;
    }
}

// The shallowest frame holding a descriptor gives it up, unless it is the
// current folder (needed to open its children).
bool FolderCursor::giveUpOne()
{
    if (m_firstOpen + 1 >= m_frames.size())
        return false;
    Frame& frame = m_frames[m_firstOpen];
    if (m_firstOpen == 0 && m_rootPath.empty())
        return false;
    frame.fd.close();
    m_spareBuffers.push_back(std::move(frame.buffer));
    frame.filled = frame.offset = 0;
    ++m_firstOpen;
    return true;
}

void FolderCursor::giveUpShallowest()
{
    while (m_frames.size() - m_firstOpen >= kMaxOpenFolders && giveUpOne()) {
    }
}

OpenStatus FolderCursor::descend(const char* name, const EntryAttributes* known)
{
    if (!m_frames.back().fd.isOpen()) {
        m_error = 0;
        return OpenStatus::Unreadable;
    }
    giveUpShallowest();
    ChildCheck check;
    check.known = known;
    check.verifyOpened = m_verifyOpens;
    OpenedFolder opened = openChildFolder(m_frames.back().fd.get(), name, m_frames.back().stamp, check);
    while (opened.status == OpenStatus::NoDescriptors && giveUpOne())
        opened = openChildFolder(m_frames.back().fd.get(), name, m_frames.back().stamp, check);
    if (opened.status != OpenStatus::Opened) {
        m_error = opened.error;
        return opened.status;
    }
    Frame frame;
    frame.fd = std::move(opened.fd);
    frame.attributes = opened.attributes;
    frame.stamp = stampOf(opened.attributes);
    frame.name = name;
    attachBuffer(frame);
    m_frames.push_back(std::move(frame));
    return OpenStatus::Opened;
}

void FolderCursor::ascend()
{
    Frame child = std::move(m_frames.back());
    m_frames.pop_back();
    if (m_frames.empty())
        return;
    const std::size_t parent = m_frames.size() - 1;
    if (!m_frames[parent].fd.isOpen() && !m_frames[parent].ended)
        reopen(parent, child.fd.get());
    if (child.buffer)
        m_spareBuffers.push_back(std::move(child.buffer));
    if (m_firstOpen > parent)
        m_firstOpen = parent;
}

core::UniqueFd FolderCursor::reopenFromRoot(std::size_t index)
{
    if (m_rootPath.empty())
        return core::UniqueFd();
    core::UniqueFd fd(m_rootWithoutLinks ? openFolderWithoutLinks(m_rootPath)
                                   : ::open(m_rootPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat st;
    if (!fd.isOpen() || ::fstat(fd.get(), &st) != 0 || st.st_dev != m_frames[0].stamp.identity.device
        || st.st_ino != m_frames[0].stamp.identity.inode)
        return core::UniqueFd();
    for (std::size_t k = 1; k <= index; ++k) {
        ChildCheck check;
        check.expected = m_frames[k].stamp.identity;
        OpenedFolder opened = openChildFolder(fd.get(), m_frames[k].name.c_str(), m_frames[k - 1].stamp, check);
        if (opened.status != OpenStatus::Opened)
            return core::UniqueFd();
        fd = std::move(opened.fd);
    }
    return fd;
}

// Opens frame `index` again, through ".." of its child's descriptor when
// there is one, else from the root; then seeks to where its listing stood.
void FolderCursor::reopen(std::size_t index, int childFd)
{
    Frame& frame = m_frames[index];
    core::UniqueFd fd;
    if (childFd >= 0) {
        fd.reset(::openat(childFd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        struct stat st;
        if (fd.isOpen()
            && (::fstat(fd.get(), &st) != 0 || st.st_dev != frame.stamp.identity.device
                || st.st_ino != frame.stamp.identity.inode))
            fd.close();
    }
    if (!fd.isOpen())
        fd = reopenFromRoot(index);
    if (fd.isOpen() && ::lseek(fd.get(), static_cast<off_t>(frame.resume), SEEK_SET) < 0)
        fd.close();
    if (!fd.isOpen()) {
        m_complete = false;
        m_error = 0;
        frame.ended = true;
        return;
    }
    frame.fd = std::move(fd);
    attachBuffer(frame);
}

void FolderCursor::restart()
{
    Frame& frame = m_frames.back();
    if (!frame.fd.isOpen() || ::lseek(frame.fd.get(), 0, SEEK_SET) < 0)
        return;
    frame.filled = frame.offset = 0;
    frame.resume = 0;
    frame.ended = false;
}

} // namespace velk::platform::files
