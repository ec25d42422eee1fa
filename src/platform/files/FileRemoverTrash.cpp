#include "platform/files/FileRemoverLinux.h"

#include "platform/files/DirectoryWalker.h"
#include "platform/locations/Locations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <ctime>

namespace velk::platform::files::removal {
namespace {

// Opens (making it, private, when missing) the folder `name` below `parent`;
// a link in its place counts as no folder at all.
core::UniqueFd openOrMakeFolder(int parent, const char* name)
{
    core::UniqueFd folder(::openat(parent, name, kOpenFolderFlags));
    if (!folder.isOpen() && errno == ENOENT && ::mkdirat(parent, name, 0700) == 0)
        folder.reset(::openat(parent, name, kOpenFolderFlags));
    return folder;
}

// Makes the absolute folder `path` and whichever of its parents are
// missing, private to this user as the data home's are. Returns 0, or the
// error of the first folder that could not be made (a full disk says so
// here, where opening the folder afterwards would only find it missing).
int makeFolders(const QByteArray& path)
{
    for (qsizetype slash = path.indexOf('/', 1); ; slash = path.indexOf('/', slash + 1)) {
        const QByteArray folder = slash < 0 ? path : path.left(slash);
        if (!folder.isEmpty() && ::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
            return errno;
        if (slash < 0)
            return 0;
    }
}

// The record of `path` as the trash keeps it: every byte of the path but the
// unreserved ones and "/" written as "%XX", so that no name can break it.
QByteArray trashRecord(const QByteArray& path)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + path.toPercentEncoding("/") + "\nDeletionDate=" + QByteArray(date) + '\n';
}

// The name the `attempt`th try gives an item in the Trash: its own,
// shortened so that its record's name ("<name>.trashinfo") still fits the
// file system's limit, with ".<attempt>" from the second try on. The cut
// never splits a UTF-8 character.
std::string trashName(const std::string& name, int attempt)
{
    static constexpr std::size_t kRecordSuffix = sizeof(".trashinfo") - 1;
    const std::string suffix = attempt == 1 ? std::string() : '.' + std::to_string(attempt);
    const std::size_t room = NAME_MAX - kRecordSuffix - suffix.size();
    if (name.size() <= room)
        return name + suffix;
    std::size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.substr(0, cut == 0 ? room : cut) + suffix;
}

// The bytes removing a located folder would free, looked at through the
// folder itself. Empty when it cannot be opened or holds a mount point;
// `why` then says which.
std::optional<std::int64_t> folderBytes(const LocatedItem& located, Refusal& why)
{
    ChildCheck check;
    check.expected = located.item.identity;
    check.known = &located.item;
    OpenedFolder opened = openChildFolder(located.folder.get(), located.split.name.c_str(),
                                          stampOf(located.folderAttributes), check);
    if (opened.status != OpenStatus::Opened) {
        why = openRefusal(opened.status, opened.error);
        return std::nullopt;
    }
    WalkRoot root{std::move(opened.fd), opened.attributes,
                  located.split.folder + (located.split.folder == "/" ? "" : "/") + located.split.name};
    const FolderTotal total = folderTotal(std::move(root), TotalOf::Removal);
    if (total.metMount) {
        why = {RemovalReason::MountPoint, 0, QStringLiteral("a folder that holds a mount point")};
        return std::nullopt;
    }
    return total.bytes;
}

// The Trash cannot be used, as the system's `error` says.
Refusal noTrash(int error)
{
    return {RemovalReason::NoTrash, error, errorText(error)};
}

// Whether the folder open at `folder` is `ancestor` or lies below it, as
// its parents ("..") tell.
bool liesWithin(int folder, const FileIdentity& ancestor)
{
    core::UniqueFd current(::fcntl(folder, F_DUPFD_CLOEXEC, 0));
    std::optional<EntryAttributes> here = current.isOpen() ? readAttributes(current.get(), "") : std::nullopt;
    // A path has at most PATH_MAX / 2 components.
    for (int depth = 0; here && depth <= PATH_MAX / 2; ++depth) {
        if (here->identity == ancestor)
            return true;
        core::UniqueFd parent(::openat(current.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        const auto above = parent.isOpen() ? readAttributes(parent.get(), "") : std::nullopt;
        if (!above || above->identity == here->identity)
            return false;
        current = std::move(parent);
        here = above;
    }
    return false;
}

bool writeAll(int fd, const QByteArray& data)
{
    qsizetype written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + written, static_cast<size_t>(data.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

} // namespace

RemovalResult moveToTrash(const RemovalTarget& target, const QByteArray& dataHome, const KeptFolders& kept,
                          const std::function<void()>& beforeMove)
{
    RemovalResult failed;
    auto located = locate(target, kept, &failed);
    if (!located)
        return failed;
    const std::string path(target.path.constData(), std::size_t(target.path.size()));
    if (const auto refusal = whyItemCannotLeave(*located))
        return refused(path, *refusal);
    if (dataHome.isEmpty())
        return refused(path, {RemovalReason::NoTrash, 0, QStringLiteral("no data folder to hold a Trash")});
    // The home trash; a link in place of any of its folders means there is
    // no usable trash, and nothing is made through it.
    const std::string trashPath = dataHome.toStdString() + "/Trash";
    const int madeError = makeFolders(dataHome);
    core::UniqueFd data(::open(dataHome.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!data.isOpen())
        return refused(dataHome.toStdString(), noTrash(madeError != 0 ? madeError : errno));
    core::UniqueFd trash = openOrMakeFolder(data.get(), "Trash");
    if (!trash.isOpen())
        return refused(trashPath, noTrash(errno));
    core::UniqueFd files = openOrMakeFolder(trash.get(), "files");
    if (!files.isOpen())
        return refused(trashPath + "/files", noTrash(errno));
    core::UniqueFd info = openOrMakeFolder(trash.get(), "info");
    if (!info.isOpen())
        return refused(trashPath + "/info", noTrash(errno));
    // Trashing what the Trash holds would nest it under a new name and
    // orphan its record; it is deleted from there instead.
    const auto trashAttributes = readAttributes(trash.get(), "");
    if (!trashAttributes)
        return refused(trashPath, noTrash(errno));
    if (located->item.identity == trashAttributes->identity
        || liesWithin(located->folder.get(), trashAttributes->identity))
        return refused(path, {RemovalReason::AlreadyInTrash, 0,
                           QStringLiteral("already in the Trash; only deleting removes it from there")});
    // Moving renames; it never copies, so the trash must be on the item's
    // own file system.
    struct stat filesStat;
    if (::fstat(files.get(), &filesStat) != 0)
        return refused(trashPath + "/files", noTrash(errno));
    if (filesStat.st_dev != located->item.identity.device)
        return refused(path, {RemovalReason::NoTrash, 0,
                           QStringLiteral("on another file system than the Trash (%1)").arg(QFile::decodeName(dataHome))});

    // The item is held open until it has moved, so that its inode number
    // cannot pass to another object meanwhile: the entry found in the Trash
    // afterwards is the item measured exactly when device and inode match.
    const std::string& name = located->split.name;
    const core::UniqueFd held(::openat(located->folder.get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat heldStat;
    if (!held.isOpen() || ::fstat(held.get(), &heldStat) != 0)
        return refused(path, systemRefusal(errno));
    if (FileIdentity{heldStat.st_dev, heldStat.st_ino} != located->item.identity)
        return refused(path, openRefusal(OpenStatus::Changed, 0));

    // A folder is looked through first: what it holds is counted, and one
    // holding a mount point stays, as it would when deleted.
    std::int64_t bytes = bytesFreedByUnlinking(located->item);
    if (located->item.kind == EntryKind::Directory) {
        Refusal why;
        const auto measured = folderBytes(*located, why);
        if (!measured)
            return refused(path, why);
        bytes = *measured;
    }
    if (beforeMove)
        beforeMove();
    const QByteArray record = trashRecord(target.path);
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        const std::string candidate = trashName(name, attempt);
        const std::string recordName = candidate + ".trashinfo";
        // The record is made first, exclusively: it reserves the name.
        core::UniqueFd recordFile(::openat(info.get(), recordName.c_str(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!recordFile.isOpen()) {
            if (errno == EEXIST)
                continue;
            return refused(trashPath + "/info/" + recordName, systemRefusal(errno));
        }
        const bool written = writeAll(recordFile.get(), record);
        const int writeError = errno;
        recordFile.close();
        if (written
            && ::renameat2(located->folder.get(), name.c_str(), files.get(), candidate.c_str(), RENAME_NOREPLACE) == 0) {
            const auto moved = readAttributes(files.get(), candidate.c_str());
            if (moved && moved->identity == located->item.identity)
                return {true, bytes};
            // Another item took the name after this one was measured: it
            // goes back where it was, with no record left of it.
            if (::renameat2(files.get(), candidate.c_str(), located->folder.get(), name.c_str(), RENAME_NOREPLACE) != 0)
                return refused(path, {RemovalReason::NotAsScanned, 0,
                                   QStringLiteral("another item took its name while it was measured and could not "
                                                  "be put back: it is in the Trash as %1")
                                       .arg(QFile::decodeName(QByteArray::fromStdString(candidate)))});
            ::unlinkat(info.get(), recordName.c_str(), 0);
            return refused(path, {RemovalReason::NotAsScanned, 0,
                               QStringLiteral("another item took its name while it was measured; it was put back")});
        }
        const int error = errno;
        ::unlinkat(info.get(), recordName.c_str(), 0);
        if (!written)
            return refused(trashPath + "/info/" + recordName, systemRefusal(writeError));
        if (error != EEXIST)
            return refused(path, systemRefusal(error));
    }
    return refused(path, {RemovalReason::NoTrash, 0, QStringLiteral("no free name left in the Trash")});
}

void removeTrashRecord(const QByteArray& path, const locations::Locations& locations)
{
    const QString infoFolder = locations.trashInfoFolder();
    const auto split = splitPath(path);
    if (infoFolder.isEmpty() || !split)
        return;
    const QByteArray filesFolder = QFile::encodeName(QDir::cleanPath(locations.resolve(QStringLiteral("~/.Trash"))));
    if (QByteArray::fromStdString(split->folder) != filesFolder)
        return;
    const QByteArray record = QFile::encodeName(infoFolder) + '/' + QByteArray::fromStdString(split->name) + ".trashinfo";
    ::unlink(record.constData());
}

} // namespace velk::platform::files::removal
