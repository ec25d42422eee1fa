#include "platform/files/FileRemoverLinux.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

namespace velk::platform::files::removal {
namespace {

// What decides whether an entry may leave its folder.
struct Standing {
    FileIdentity identity;
    unsigned mode = 0;
    unsigned owner = 0;
    bool immutable = false;
    bool appendOnly = false;
};

// `name` in the folder open at `folderFd` (the folder itself when empty),
// never following a link. The flags come from statx, which every file system
// that keeps them reports.
std::optional<Standing> standingOf(int folderFd, const char* name)
{
    struct statx st {};
    const int flags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | (name[0] == '\0' ? AT_EMPTY_PATH : 0);
    if (::statx(folderFd, name, flags, STATX_TYPE | STATX_MODE | STATX_UID | STATX_INO, &st) != 0)
        return std::nullopt;
    Standing s;
    s.identity = {makedev(st.stx_dev_major, st.stx_dev_minor), st.stx_ino};
    s.mode = st.stx_mode;
    s.owner = st.stx_uid;
    const auto has = [&](std::uint64_t attribute) {
        return (st.stx_attributes_mask & attribute) && (st.stx_attributes & attribute);
    };
    s.immutable = has(STATX_ATTR_IMMUTABLE);
    s.appendOnly = has(STATX_ATTR_APPEND);
    return s;
}

} // namespace

std::optional<Refusal> whyItemCannotLeave(const LocatedItem& located)
{
    const int folder = located.folder.get();
    const auto parent = standingOf(folder, "");
    const auto item = standingOf(folder, located.split.name.c_str());
    if (!parent || !item)
        return systemRefusal(errno);
    if (parent->identity != located.folderAttributes.identity || item->identity != located.item.identity)
        return openRefusal(OpenStatus::Changed, 0);
    const auto immutable = [](const QString& text) { return Refusal{RemovalReason::Immutable, 0, text}; };
    if (item->immutable)
        return immutable(QStringLiteral("marked immutable"));
    if (item->appendOnly)
        return immutable(QStringLiteral("marked append-only"));
    if (parent->immutable || parent->appendOnly)
        return immutable(QStringLiteral("its folder is marked %1, so nothing leaves it")
                             .arg(parent->immutable ? QStringLiteral("immutable") : QStringLiteral("append-only")));
    // The kernel's own answer for this user: write and search permission on
    // the folder (a read-only file system included).
    if (::faccessat(folder, ".", W_OK | X_OK, AT_EACCESS) != 0) {
        const int error = errno;
        if (error == EROFS)
            return Refusal{RemovalReason::FolderForbids, error, QStringLiteral("on a read-only file system")};
        return Refusal{RemovalReason::FolderForbids, error,
                       QStringLiteral("its folder does not let this user remove entries (%1)").arg(errorText(error))};
    }
    // In a sticky folder only the owner of the entry or of the folder, or
    // the administrator, may take an entry out.
    const uid_t user = ::geteuid();
    if ((parent->mode & S_ISVTX) && user != 0 && user != item->owner && user != parent->owner)
        return Refusal{RemovalReason::StickyFolder, 0, QStringLiteral("its folder is sticky and lets only the owner remove it")};
    return std::nullopt;
}

} // namespace velk::platform::files::removal
