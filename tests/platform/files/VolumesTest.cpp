#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/files/Volumes.h"
#include "support/FakeVolumes.h"
#include "support/TempTree.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/sysmacros.h>

using namespace velk::platform::core;
using namespace velk::platform::files;
using namespace velk::platform::locations;
using velk::test::FakeVolumes;
using velk::test::TempTree;

namespace {

QStringList pathsOf(const std::vector<Mount>& mounts)
{
    QStringList paths;
    for (const Mount& m : mounts)
        paths << m.path;
    return paths;
}

struct Shown {
    QString path;
    std::optional<bool> isLocal;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> shown(const Volumes& volumes)
{
    std::vector<Shown> out;
    for (const Volume& v : volumes.mountedVolumes())
        out.push_back({v.path, v.isLocal});
    return out;
}

void PrintTo(const Shown& s, std::ostream* os)
{
    *os << s.path.toStdString() << " local=" << (s.isLocal ? (*s.isLocal ? "yes" : "no") : "unknown");
}

} // namespace

TEST(VolumesTest, MountTableFieldsLoseTheirOctalEscapes)
{
    EXPECT_EQ(decodeMountField("/media/me/My\\040Disk"), QByteArray("/media/me/My Disk"));
    EXPECT_EQ(decodeMountField("/a\\011b\\012c\\134d"), QByteArray("/a\tb\nc\\d"));
    EXPECT_EQ(decodeMountField("/raw\\377"), QByteArray("/raw\xff"));
    // Not an escape: kept as written.
    EXPECT_EQ(decodeMountField("/x\\9y\\04"), QByteArray("/x\\9y\\04"));
}

TEST(VolumesTest, ParsesTheMountTableAndKeepsTheTopMountOfAStack)
{
    const std::string table =
        "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
        "26 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "40 26 8:17 / /media/me/USB\\040Stick rw master:3 shared:9 - vfat /dev/sdb1 rw\n"
        "41 26 0:50 / /mnt/share rw - nfs4 server:/export rw\n"
        "garbage line\n"
        "42 26 0:51 / relative rw - ext4 /dev/x rw\n"
        "43 26 0:52 / /mnt/nofields rw\n"
        "44 26 8:33 / /mnt/share rw - ext4 /dev/sdc1 rw\n"
        "45 26 0:53 / /mnt/odd rw - zzfs none rw";
    const std::vector<Mount> mounts = parseMountInfo(table);
    EXPECT_EQ(pathsOf(mounts), (QStringList{"/proc", "/", "/media/me/USB Stick", "/mnt/share", "/mnt/odd"}));
    ASSERT_EQ(mounts.size(), 5u);
    EXPECT_EQ(mounts[1].kind, MountKind::Local);
    EXPECT_EQ(mounts[1].source, "/dev/vda");
    EXPECT_EQ(mounts[1].device, makedev(254, 0));
    EXPECT_EQ(mounts[2].nativePath, QByteArray("/media/me/USB Stick"));
    EXPECT_EQ(mounts[2].fsType, "vfat");
    // The disk mounted over the share is what the path reaches now.
    EXPECT_EQ(mounts[3].fsType, "ext4");
    EXPECT_EQ(mounts[3].kind, MountKind::Local);
    EXPECT_EQ(mounts[0].kind, MountKind::Virtual);
    EXPECT_EQ(mounts[4].kind, MountKind::Unknown);
}

// Of mounts showing the same folder of one file system only the first is the
// original; one showing a folder below what another shows is a repeat.
TEST(VolumesTest, MountsShowingWhatAnotherShowsAreRepeats)
{
    const std::vector<Mount> mounts = parseMountInfo("26 1 254:0 / / rw - ext4 /dev/vda rw\n"
                                                     "50 26 254:0 /home/sub /home/again rw - ext4 /dev/vda rw\n"
                                                     "51 26 0:40 /@ /mnt/pool rw - btrfs /dev/sda1 rw\n"
                                                     "52 26 0:40 /@home /mnt/home rw - btrfs /dev/sda1 rw\n"
                                                     "53 26 8:2 / /mnt/disk rw - ext4 /dev/sdb1 rw\n"
                                                     "54 26 8:2 / /mnt/disk2 rw - ext4 /dev/sdb1 rw\n");
    EXPECT_EQ(repeatedMounts(mounts), (std::vector<bool>{false, true, false, false, false, true}));
}

TEST(VolumesTest, KindsOfFileSystemTypes)
{
    for (const char* type : {"proc", "sysfs", "tmpfs", "devtmpfs", "cgroup2", "overlay", "autofs"})
        EXPECT_EQ(mountKindOf(type), MountKind::Virtual) << type;
    for (const char* type : {"nfs", "nfs4", "cifs", "smb3", "fuse.sshfs", "sshfs"})
        EXPECT_EQ(mountKindOf(type), MountKind::Network) << type;
    for (const char* type : {"ext4", "xfs", "btrfs", "vfat", "exfat", "ntfs3", "fuseblk", "iso9660"})
        EXPECT_EQ(mountKindOf(type), MountKind::Local) << type;
    EXPECT_EQ(mountKindOf("fuse.mystery"), MountKind::Unknown);
}

TEST(VolumesTest, OnlyRealVolumesBelowTheVolumesFoldersAreOffered)
{
    ScopedService<Locations> locations(Locations::linuxProfile("/home/me"));
    FakeVolumes volumes;
    volumes.addMount("/", "ext4");
    volumes.addMount("/home", "ext4");
    volumes.addMount("/media/me/USB", "vfat");
    volumes.addMount("/mnt/share", "nfs4");
    volumes.addMount("/mnt/sandbox", "tmpfs");
    volumes.addMount("/run/media/me/Disk", "fuse.mystery");
    volumes.addMount("/run/user/1000", "tmpfs");
    volumes.addMount("/mediaX/fake", "ext4");
    volumes.addMount("/mnt", "xfs");
    EXPECT_EQ(shown(volumes), (std::vector<Shown>{{"/media/me/USB", true},
                                                  {"/mnt/share", false},
                                                  {"/run/media/me/Disk", std::nullopt},
                                                  {"/mnt", true}}));
}

TEST(VolumesTest, TheMacLayoutOffersWhatIsMountedInItsVolumesFolder)
{
    ScopedService<Locations> locations(Locations::macProfile("/r", "/r/Users/me"));
    FakeVolumes volumes;
    volumes.addMount("/r", "apfs");
    volumes.addMount("/r/Volumes/Backup", "apfs");
    volumes.addMount("/r/System/Volumes/Data", "apfs");
    EXPECT_EQ(shown(volumes), (std::vector<Shown>{{"/r/Volumes/Backup", true}}));
}

TEST(VolumesTest, TheStartupNameIsTheLabelOfTheRootDevice)
{
    TempTree tree;
    const QString device = tree.file("dev/vda");
    tree.file("dev/vdb");
    tree.link("dev/disk/by-label/Other", "../../vdb");
    tree.link("dev/disk/by-label/Main\\x20Disk\\x2fA", "../../vda");
    const QString table = tree.fileWithContent(
        "mountinfo", ("26 1 254:0 / / rw - ext4 " + QFile::encodeName(device) + " rw\n"
                      "27 26 254:16 / /data rw - ext4 " + QFile::encodeName(tree.path("dev/vdb")) + " rw\n"));
    const auto volumes = Volumes::linuxBackend(table, tree.path("dev/disk/by-label"));
    EXPECT_EQ(volumes->startupVolumeName(), QString("Main Disk/A"));
    EXPECT_EQ(pathsOf(volumes->mounts()), (QStringList{"/", "/data"}));

    // No label for the root device, no labels at all, no mount table.
    QFile::remove(tree.path("dev/disk/by-label/Main\\x20Disk\\x2fA"));
    EXPECT_EQ(volumes->startupVolumeName(), std::nullopt);
    EXPECT_EQ(Volumes::linuxBackend(table, tree.path("nowhere"))->startupVolumeName(), std::nullopt);
    const auto missing = Volumes::linuxBackend(tree.path("none"), tree.path("dev/disk/by-label"));
    EXPECT_TRUE(missing->mounts().empty());
    EXPECT_EQ(missing->startupVolumeName(), std::nullopt);
}

TEST(VolumesTest, ThisMachineHasARootMount)
{
    const QStringList paths = pathsOf(Volumes::createDefault()->mounts());
    EXPECT_TRUE(paths.contains("/"));
}
