#pragma once

#include "platform/files/FileRemover.h"
#include "platform/files/FolderReader.h"
#include "platform/core/UniqueFd.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velk::platform::locations {
class Locations;
}

// Building blocks of the Linux file remover.
namespace velk::platform::files::removal {

// An absolute path taken apart into its folder and its last component.
// Trailing slashes are dropped; relative paths, "." and ".." components and
// "/" itself are refused.
struct SplitPath {
    std::string folder;
    std::string name;
};
std::optional<SplitPath> splitPath(const QByteArray& path);

// Folders that no removal takes, by identity.
using KeptFolders = std::vector<FileIdentity>;
// The given homes (real paths taken) and every folder above them, "/"
// included.
KeptFolders homesAndAncestors(const QStringList& homes);

// Why something stays: the reason for the user and the text for the log.
struct Refusal {
    RemovalReason reason = RemovalReason::SystemError;
    int error = 0; // errno, for a system error
    QString text;
};
// The system's refusal of an operation that failed with `error`.
Refusal systemRefusal(int error);
// The failed result of the entry at `path`, which stays for `why`; its log
// text (RemovalResult::failure) is "<path>: <text>".
RemovalResult refused(std::string_view path, const Refusal& why);
// The system's text for an errno value.
QString errorText(int error);
// What a folder that was not opened met (OpenStatus other than Opened); the
// errno of the attempt for a folder that could not be read.
Refusal openRefusal(OpenStatus status, int error);

// The item a target names, looked at from its folder: the folder opened
// without following any link, the item's attributes read without following
// it. Empty when the item is missing, is not the entry the target's
// identity was scanned from (isAsScanned), is a mount point or is one of
// `kept`; `failed` then says which.
struct LocatedItem {
    SplitPath split;
    core::UniqueFd folder;
    EntryAttributes folderAttributes;
    EntryAttributes item;
};
std::optional<LocatedItem> locate(const RemovalTarget& target, const KeptFolders& kept = {},
                                  RemovalResult* failed = nullptr);

// Why the located item may not be taken out of its folder by this process,
// checked before anything is touched so that an item whose top entry must
// stay is never emptied: the folder not writable or searchable for the
// effective user (a read-only file system included), a sticky folder and
// neither the item nor the folder this user's, or an immutable or
// append-only flag on the item or its folder. Empty when it may.
std::optional<Refusal> whyItemCannotLeave(const LocatedItem& located);

// The bytes unlinking an entry frees: a regular file's when this is its last
// link, nothing otherwise.
std::int64_t bytesFreedByUnlinking(const EntryAttributes& entry);

// Removes the target and everything below it (see FileRemover).
RemovalResult removeTree(const RemovalTarget& target, const KeptFolders& kept = {});

// Moves the target into the Trash below `dataHome` (the freedesktop home
// trash, `<dataHome>/Trash`), writing its record first (see FileRemover).
// A folder holding a mount point, or that cannot be opened to be looked
// through, stays where it is. Bytes are counted as removing the item would
// free them. `beforeMove`, when given, is called after the item was
// measured and before it is moved (tests swap the item there).
RemovalResult moveToTrash(const RemovalTarget& target, const QByteArray& dataHome, const KeptFolders& kept = {},
                          const std::function<void()>& beforeMove = {});

// Removes the record the Trash keeps of `path` when `path` lies directly in
// the Trash's files folder and the location map pairs that folder with an
// info folder (the freedesktop `<name>.trashinfo`); otherwise does nothing.
void removeTrashRecord(const QByteArray& path, const locations::Locations& locations);

} // namespace velk::platform::files::removal
