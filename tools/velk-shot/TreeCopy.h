#pragma once

#include <QString>

namespace velk::shot {

// Copies the tree at `from` into the folder `to`, links followed, so the
// copy holds what they point at (a fixture's sys folder may be a link into
// the shared sysfs fixtures). Every entry keeps its mode, the set-user-ID,
// set-group-ID and sticky bits included; folders take theirs once all they
// hold is in, the innermost first, so a read-only folder is still filled.
// False when an entry could not be copied.
bool copyTree(const QString& from, const QString& to);

// Removes the tree at `path` through the file remover, folders this user
// may not write to or enter included; a mount inside it (a bind mount left
// by a script that stopped early) is neither entered nor changed. False when
// something is left.
bool removeTree(const QString& path);

} // namespace velk::shot
