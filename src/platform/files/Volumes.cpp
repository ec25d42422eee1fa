#include "platform/files/Volumes.h"

#include "platform/locations/LocationPaths.h"
#include "platform/locations/Locations.h"
#include "platform/files/ProcFiles.h"
#include "platform/core/ServiceRegistry.h"

#include <QFile>

#include <algorithm>
#include <iterator>
#include <sys/sysmacros.h>

namespace velk::platform::files {
namespace {

constexpr std::string_view kVirtualTypes[] = {
    "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs", "debugfs", "devpts", "devtmpfs",
    "efivarfs", "fuse.gvfsd-fuse", "fuse.lxcfs", "fuse.portal", "fusectl", "hugetlbfs", "mqueue", "nsfs",
    "overlay", "proc", "pstore", "ramfs", "rpc_pipefs", "securityfs", "selinuxfs", "sysfs", "tmpfs",
    "tracefs", "aufs"};

constexpr std::string_view kNetworkTypes[] = {
    "9p", "afs", "ceph", "cifs", "davfs", "fuse.davfs2", "fuse.glusterfs", "fuse.rclone", "fuse.s3fs",
    "fuse.sshfs", "glusterfs", "lustre", "ncpfs", "nfs", "nfs4", "smb3", "smbfs", "sshfs", "fuse.smbnetfs"};

constexpr std::string_view kLocalTypes[] = {
    "apfs", "bcachefs", "btrfs", "erofs", "exfat", "ext2", "ext3", "ext4", "f2fs", "fuseblk", "hfs",
    "hfsplus", "iso9660", "jfs", "minix", "msdos", "nilfs2", "ntfs", "ntfs3", "reiserfs", "squashfs",
    "udf", "vfat", "xfs"};

template <std::size_t N>
bool contains(const std::string_view (&table)[N], std::string_view type)
{
    return std::find(std::begin(table), std::end(table), type) != std::end(table);
}

// The next blank-separated field of `line` from `pos`; empty at the end.
std::string_view nextField(std::string_view line, std::size_t& pos)
{
    while (pos < line.size() && line[pos] == ' ')
        ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != ' ')
        ++pos;
    return line.substr(start, pos - start);
}

std::optional<dev_t> parseDevice(std::string_view field)
{
    const std::size_t colon = field.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto major = procfiles::parseUnsigned(field.substr(0, colon));
    const auto minor = procfiles::parseUnsigned(field.substr(colon + 1));
    if (!major || !minor || *major > 0xffffffffu || *minor > 0xffffffffu)
        return std::nullopt;
    return makedev(static_cast<unsigned>(*major), static_cast<unsigned>(*minor));
}

// One line: "ID PARENT MAJ:MIN ROOT MOUNTPOINT OPTIONS [OPTIONAL...] - TYPE SOURCE SUPEROPTIONS".
std::optional<Mount> parseLine(std::string_view line)
{
    std::size_t pos = 0;
    const auto id = procfiles::parseUnsigned(nextField(line, pos));
    nextField(line, pos);  // parent id
    const auto device = parseDevice(nextField(line, pos));
    const std::string_view root = nextField(line, pos);
    const std::string_view mountPoint = nextField(line, pos);
    if (!device || mountPoint.empty() || mountPoint.front() != '/')
        return std::nullopt;
    for (;;) {
        const std::string_view field = nextField(line, pos);
        if (field.empty())
            return std::nullopt;
        if (field == "-")
            break;
    }
    const std::string_view type = nextField(line, pos);
    if (type.empty())
        return std::nullopt;
    const std::string_view source = nextField(line, pos);

    Mount mount;
    mount.nativePath = decodeMountField(mountPoint);
    mount.path = QFile::decodeName(mount.nativePath);
    const QByteArray typeBytes = decodeMountField(type);
    mount.fsType = QString::fromUtf8(typeBytes);
    mount.source = QFile::decodeName(decodeMountField(source));
    mount.device = *device;
    if (!root.empty() && root.front() == '/')
        mount.root = decodeMountField(root);
    mount.id = id.value_or(0);
    mount.kind = mountKindOf(std::string_view(typeBytes.constData(), static_cast<std::size_t>(typeBytes.size())));
    return mount;
}

} // namespace

MountKind mountKindOf(std::string_view fsType)
{
    if (contains(kVirtualTypes, fsType))
        return MountKind::Virtual;
    if (contains(kNetworkTypes, fsType))
        return MountKind::Network;
    if (contains(kLocalTypes, fsType))
        return MountKind::Local;
    return MountKind::Unknown;
}

QByteArray decodeMountField(std::string_view field)
{
    QByteArray decoded;
    decoded.reserve(static_cast<qsizetype>(field.size()));
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3'
            && field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
            decoded.append(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
            continue;
        }
        decoded.append(field[i]);
    }
    return decoded;
}

std::vector<Mount> parseMountInfo(std::string_view text)
{
    std::vector<Mount> mounts;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        std::optional<Mount> mount = parseLine(line);
        if (!mount)
            continue;
        // A later mount on the same point covers the earlier one.
        const auto same = std::find_if(mounts.begin(), mounts.end(),
                                       [&](const Mount& m) { return m.nativePath == mount->nativePath; });
        if (same != mounts.end())
            *same = std::move(*mount);
        else
            mounts.push_back(std::move(*mount));
    }
    return mounts;
}

std::vector<bool> repeatedMounts(const std::vector<Mount>& mounts)
{
    // Whether `inner` is `outer` or a folder below it.
    const auto atOrBelow = [](const QByteArray& inner, const QByteArray& outer) {
        return inner == outer || outer == "/" || (inner.startsWith(outer) && inner.at(outer.size()) == '/');
    };
    std::vector<bool> repeated(mounts.size(), false);
    for (std::size_t i = 0; i < mounts.size(); ++i) {
        const Mount& mount = mounts[i];
        if (mount.root.isEmpty())
            continue;
        for (std::size_t j = 0; j < mounts.size() && !repeated[i]; ++j) {
            const Mount& other = mounts[j];
            if (j == i || other.root.isEmpty() || other.device != mount.device || !atOrBelow(mount.root, other.root))
                continue;
            repeated[i] = other.root != mount.root || j < i;
        }
    }
    return repeated;
}

std::vector<Volume> Volumes::mountedVolumes() const
{
    const QStringList folders = core::service<locations::Locations>()->resolveAll(QStringLiteral("/Volumes"));
    std::vector<Volume> volumes;
    for (const Mount& mount : mounts()) {
        if (mount.kind == MountKind::Virtual)
            continue;
        if (!locations::locationpaths::isAtOrBelowAny(locations::locationpaths::cleanAbsolute(mount.path), folders))
            continue;
        Volume volume{mount.path, std::nullopt};
        if (mount.kind == MountKind::Local)
            volume.isLocal = true;
        else if (mount.kind == MountKind::Network)
            volume.isLocal = false;
        volumes.push_back(std::move(volume));
    }
    return volumes;
}

} // namespace velk::platform::files
