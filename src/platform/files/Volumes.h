#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace velk::platform::files {

// What a mounted file system holds, as far as walking it goes.
enum class MountKind {
    Local,    // a disk of this machine
    Network,  // served by another machine
    Virtual,  // made up by the kernel or a service (proc, tmpfs, cgroup, ...)
    Unknown,  // a type this table does not know
};

// The kind of a file-system type as the mount table names it ("ext4",
// "nfs4", "fuse.sshfs", ...).
MountKind mountKindOf(std::string_view fsType);

// One entry of the mount table.
struct Mount {
    QByteArray nativePath;  // mount point as the kernel spells it
    QString path;           // the same, decoded for display and comparison
    QString fsType;
    QString source;         // device or server share; may be empty
    dev_t device = 0;       // the file system's device number
    MountKind kind = MountKind::Unknown;
    // The folder of the file system shown there, "/" for all of it (a bind
    // mount shows one of its folders); empty when not known.
    QByteArray root;
    std::uint64_t id = 0;   // the kernel's mount id; 0 when not known
};

// A mounted volume the user may pick as a place to look.
struct Volume {
    QString path;
    // False for network volumes; absent when the kind is not known.
    std::optional<bool> isLocal;
};

// The machine's mounted file systems.
class Volumes {
public:
    virtual ~Volumes() = default;

    // Every mount, in the order of the mount table. Where several are
    // stacked on one mount point only the topmost (the one a path reaches)
    // is listed, at the place of the lowest.
    virtual std::vector<Mount> mounts() const = 0;
    // The name of the start-up volume (the one mounted at "/"), when it has
    // one.
    virtual std::optional<QString> startupVolumeName() const = 0;

    // The other volumes: mounts at or below the folders that stand for
    // "/Volumes" in the location map, virtual file systems left out, in
    // mount-table order.
    std::vector<Volume> mountedVolumes() const;

    static std::shared_ptr<Volumes> createDefault();
    // The Linux backend over a mount table in /proc/self/mountinfo format and
    // a folder of label links like /dev/disk/by-label.
    static std::shared_ptr<Volumes> linuxBackend(const QString& mountInfoPath, const QString& labelFolder);
};

// Parses the text of /proc/self/mountinfo. Malformed lines are skipped;
// stacked mounts are reduced as mounts() describes.
std::vector<Mount> parseMountInfo(std::string_view text);

// Which mounts of `mounts` only show again what another one shows: a bind
// mount of a folder another mount shows too, or a file system mounted once
// more. Of mounts showing the very same folder the first in the table is the
// original. Mounts whose root is not known are never repeats. One flag per
// mount, in table order.
std::vector<bool> repeatedMounts(const std::vector<Mount>& mounts);

// Undoes the octal escapes (\040 for a blank, \011, \012, \134) of a
// mount-table field.
QByteArray decodeMountField(std::string_view field);

} // namespace velk::platform::files
