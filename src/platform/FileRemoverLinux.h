#pragma once

#include <QString>

// Building blocks of the Linux file remover.
namespace velk::platform::removal {

// Removes `path` and everything below it without following any symbolic
// link: a link is unlinked itself, folders are entered only through
// descriptors opened with O_NOFOLLOW, and no other file system mounted
// inside the item is entered. True when the item existed and is gone.
bool removeTree(const QString& path);

// Removes the freedesktop `.trashinfo` entry that belongs to `path` when
// `path` lies directly in a trash's `files` folder; otherwise does nothing.
void removeTrashInfo(const QString& path);

} // namespace velk::platform::removal
