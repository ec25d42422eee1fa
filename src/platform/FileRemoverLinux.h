#pragma once

#include <QString>

namespace velk::platform {
class Locations;
}

// Building blocks of the Linux file remover.
namespace velk::platform::removal {

// Removes `path` and everything below it without following any symbolic
// link: a link is unlinked itself, folders are entered only through
// descriptors opened with O_NOFOLLOW, and no other file system mounted
// inside the item is entered. True when the item existed and is gone.
bool removeTree(const QString& path);

// Removes the record the Trash keeps of `path` when `path` lies directly in
// the Trash's files folder and the location map pairs that folder with an
// info folder (the freedesktop `<name>.trashinfo`); otherwise does nothing.
void removeTrashRecord(const QString& path, const Locations& locations);

} // namespace velk::platform::removal
