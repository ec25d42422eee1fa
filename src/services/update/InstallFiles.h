#pragma once

#include <QString>
#include <optional>

// File work of the installer. Every function is safe on a worker thread.
namespace velk::UpdateCheck::files {

// The installer's own folder "<cacheHome>/VelkClean/update", created with
// mode 0700 when missing. Used only when it is a folder (not a link) owned by
// this user with mode exactly 0700; nothing otherwise, with `detail` telling
// why.
std::optional<QString> privateWorkFolder(const QString& cacheHome, QString* detail);

// The first entry of `folder`, in listing order (hidden ones included), whose
// name ends in ".app" after a non-empty stem and which is a real folder
// rather than a link or a file. `listed` is false when the folder could not
// be read.
std::optional<QString> firstApplicationFolder(const QString& folder, bool* listed);

// Copies the folder `from` to the new path `to`: folders, files with their
// permission bits, and links as links (never followed). False, with `detail`
// set, on the first failure or on an entry of any other kind.
bool copyKeepingLinks(const QString& from, const QString& to, QString* detail);

// Renames `from` to `to`, replacing what is there.
bool replaceWith(const QString& from, const QString& to, QString* detail);

} // namespace velk::UpdateCheck::files
