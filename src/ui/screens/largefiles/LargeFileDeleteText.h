#pragma once

#include "engine/cleaning/FileItem.h"
#include "engine/cleaning/LargeFilesViewModel.h"

#include <QList>
#include <QString>

namespace velk::screens {

// The texts of the confirmation shown before found files are deleted, for
// the selection as it was at the last open-file check. Both languages.
namespace deletetext {

// "Some files are in use" while any selected file is held open, else the
// question of the mode.
QString title(bool permanent, bool anyInUse, bool english);

// Four pieces, each after a blank line: how many files and how large; which
// processes hold which of them open (the first three of each, sorted) or
// that none was found; whether the Trash can give them back; and, when a
// file lies in the operating system's folder, a warning about that.
QString message(const QList<cleaning::FileItem>& selected, const cleaning::LargeFilesViewModel::InUseMap& inUse, bool permanent,
                bool english);

} // namespace deletetext
} // namespace velk::screens
