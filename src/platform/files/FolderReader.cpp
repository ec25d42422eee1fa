#include "platform/files/FolderReader.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <linux/openat2.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace velk::platform::files {
namespace {

constexpr unsigned kAttributeMask =
    STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_INO | STATX_NLINK | STATX_MTIME | STATX_CTIME | STATX_BTIME | STATX_MNT_ID;

int openComponentByComponent(std::string_view path)
{
    core::UniqueFd current(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::string component;
    std::size_t at = 0;
    while (current.isOpen() && at < path.size()) {
        const std::size_t slash = path.find('/', at);
        const std::size_t end = slash == std::string_view::npos ? path.size() : slash;
        component.assign(path.substr(at, end - at));
        at = end + 1;
        if (component.empty() || component == ".")
            continue;
        if (component == "..")
            return -1;
        current.reset(::openat(current.get(), component.c_str(), kOpenFolderFlags));
    }
    const int fd = current.get();
    current.release();
    return fd;
}

} // namespace

EntryKind kindFromMode(unsigned mode)
{
    if (S_ISREG(mode))
        return EntryKind::File;
    if (S_ISDIR(mode))
        return EntryKind::Directory;
    if (S_ISLNK(mode))
        return EntryKind::Symlink;
    return EntryKind::Other;
}

std::optional<EntryAttributes> readAttributes(int folderFd, const char* name)
{
    struct statx st;
    const int flags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | (name[0] == '\0' ? AT_EMPTY_PATH : 0);
    if (::statx(folderFd, name, flags, kAttributeMask, &st) != 0)
        return std::nullopt;
    EntryAttributes a;
    a.kind = kindFromMode(st.stx_mode);
    a.size = a.kind == EntryKind::Directory ? 0 : static_cast<std::int64_t>(st.stx_size);
    if (st.stx_mask & STATX_MTIME) {
        a.modifiedMs = std::int64_t(st.stx_mtime.tv_sec) * 1000 + st.stx_mtime.tv_nsec / 1000000;
        a.modified = FileTime{st.stx_mtime.tv_sec, st.stx_mtime.tv_nsec};
    }
    if (st.stx_mask & STATX_CTIME)
        a.changed = FileTime{st.stx_ctime.tv_sec, st.stx_ctime.tv_nsec};
    if (st.stx_mask & STATX_BTIME)
        a.born = FileTime{st.stx_btime.tv_sec, st.stx_btime.tv_nsec};
    a.identity = FileIdentity{makedev(st.stx_dev_major, st.stx_dev_minor), st.stx_ino};
    a.linkCount = st.stx_nlink;
    a.hasMountId = (st.stx_mask & STATX_MNT_ID) != 0;
    a.mountId = a.hasMountId ? st.stx_mnt_id : 0;
    a.isMountRoot = (st.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) && (st.stx_attributes & STATX_ATTR_MOUNT_ROOT);
    return a;
}

ScannedIdentity scannedIdentity(const EntryAttributes& entry)
{
    return {entry.identity, entry.kind, entry.size, entry.modified, entry.changed, entry.born};
}

bool isScannedObject(const EntryAttributes& now, const ScannedIdentity& scanned)
{
    return now.identity == scanned.object && now.kind == scanned.kind && (!scanned.born || now.born == scanned.born);
}

bool isAsScanned(const EntryAttributes& now, const ScannedIdentity& scanned)
{
    if (!isScannedObject(now, scanned))
        return false;
    return now.kind == EntryKind::Directory
        || (now.size == scanned.size && now.modified == scanned.modified && now.changed == scanned.changed);
}

FolderStamp stampOf(const EntryAttributes& folder)
{
    return {folder.identity, folder.mountId, folder.hasMountId};
}

bool crossesMount(const EntryAttributes& entry, const FolderStamp& parent)
{
    if (entry.isMountRoot || entry.identity.device != parent.identity.device)
        return true;
    return entry.hasMountId && parent.hasMountId && entry.mountId != parent.mountId;
}

OpenedFolder openChildFolder(int parentFd, const char* name, const FolderStamp& parent, const ChildCheck& check)
{
    OpenedFolder result;
    // Looked at before it is opened, so that an automount is never set off
    // and a mount point is never entered.
    const auto before = check.known ? std::optional<EntryAttributes>(*check.known) : readAttributes(parentFd, name);
    if (!before) {
        result.error = errno;
        result.status = result.error == ENOENT ? OpenStatus::Gone : OpenStatus::Unreadable;
        return result;
    }
    if (before->kind != EntryKind::Directory) {
        result.status = OpenStatus::NotFolder;
        return result;
    }
    if (crossesMount(*before, parent)) {
        result.status = OpenStatus::MountPoint;
        return result;
    }
    if (check.expected && before->identity != *check.expected) {
        result.status = OpenStatus::Changed;
        return result;
    }
    result.fd.reset(::openat(parentFd, name, kOpenFolderFlags));
    if (!result.fd.isOpen()) {
        result.error = errno;
        switch (result.error) {
        case ENOENT: result.status = OpenStatus::Gone; break;
        case ELOOP:
        case ENOTDIR: result.status = OpenStatus::NotFolder; break;
        case EMFILE:
        case ENFILE: result.status = OpenStatus::NoDescriptors; break;
        default: result.status = OpenStatus::Unreadable; break;
        }
        return result;
    }
    // The folder opened must be the one looked at: a folder swapped in
    // between (a mount included) is not entered.
    struct stat opened;
    if (check.verifyOpened && (::fstat(result.fd.get(), &opened) != 0 || opened.st_dev != before->identity.device
        || opened.st_ino != before->identity.inode)) {
        result.fd.close();
        result.status = OpenStatus::Changed;
        return result;
    }
    result.attributes = *before;
    result.status = OpenStatus::Opened;
    return result;
}

int openFolderWithoutLinks(std::string_view path)
{
    if (path.empty() || path.front() != '/')
        return -1;
    const std::string terminated(path);
    open_how how{};
    how.flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    const long fd = ::syscall(SYS_openat2, AT_FDCWD, terminated.c_str(), &how, sizeof how);
    if (fd >= 0)
        return static_cast<int>(fd);
    if (errno != ENOSYS)
        return -1;
    return openComponentByComponent(path);
}

bool isOnPseudoFileSystem(int fd)
{
    struct statfs fs;
    if (::fstatfs(fd, &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case DEVPTS_SUPER_MAGIC:
    case BPF_FS_MAGIC:
    case PSTOREFS_MAGIC:
    case EFIVARFS_MAGIC:
        return true;
    default:
        return false;
    }
}

} // namespace velk::platform::files
