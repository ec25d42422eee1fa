#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace velk::platform::locations::locationpaths {

// A location as the engines write it, taken apart: below the home ("~/...")
// or absolute ("/..."). `path` always starts with "/" and is clean (no "."
// or ".." parts, no trailing "/"); ".." never climbs above its base.
struct ParsedLocation {
    bool inHome = false;
    QString path;
};

// Empty for anything that is neither "~", "~/..." nor absolute.
std::optional<ParsedLocation> parse(const QString& location);

// Whether `path` equals `folder` or lies below it (whole components only).
bool isAtOrBelow(const QString& path, const QString& folder);

// `path` with `folder` cut off its front: "" when equal, else "/rest".
// Only valid when isAtOrBelow(path, folder).
QString remainder(const QString& path, const QString& folder);

// `base` followed by `absolutePart` ("/" adds nothing).
QString join(const QString& base, const QString& absolutePart);

// A real path cleaned for comparisons; empty when not absolute.
QString cleanAbsolute(const QString& path);

// Whether `path` is at or below any of `folders`.
bool isAtOrBelowAny(const QString& path, const QStringList& folders);

// Whether a clean absolute `path` lies in this machine's own system area:
// "/usr", "/etc", "/var", ... (and the macOS system folders, should they
// exist), whoever's home lies there.
bool isHostSystemPath(const QString& path);
// Whether a clean absolute `path` lies on this machine's kernel or runtime
// pseudo file systems; removable media mounted below "/run/media" are real
// volumes.
bool isHostPseudoFileSystem(const QString& path);

} // namespace velk::platform::locations::locationpaths
