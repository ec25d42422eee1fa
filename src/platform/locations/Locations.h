#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace velk::platform::locations {

// Resolves the locations the engines name the macOS way ("~/Library/Caches",
// "/Applications", "~/.Trash", "/Volumes", ...) to folders on this machine.
// A location may resolve to several folders ("/Volumes") or to none.
class Locations {
public:
    // Whose folders the profile lays out: the macOS ones the engines name, or
    // this system's. Texts that name the system's own folders and programs
    // follow it.
    enum class Layout { macOS, Linux };

    virtual ~Locations() = default;

    virtual Layout layout() const { return Layout::Linux; }

    // All folders that stand for `location` here. A location starting with
    // "~/" is below the user's home. Sub-paths of a mapped location resolve
    // below its mapping ("~/Library/Caches/pip" -> "<cache home>/pip"). On
    // Linux "~/Downloads" is the XDG download folder, and a cache or data
    // home that is no place to clean (the home, an ancestor of it, one of the
    // user's own folders, or one that is or holds another base folder)
    // leaves the caches, or the Trash, with no folder at all.
    virtual QStringList resolveAll(const QString& location) const = 0;
    // The first of resolveAll; when there is none, the location itself with
    // a leading "~" replaced by the home.
    QString resolve(const QString& location) const;

    // The location, written the engines' way, that stands for `path` (a
    // real path here): "~/Library/Caches/pip/x" for "<cache home>/pip/x" on
    // Linux. A location that the map sends here wins over the path read as
    // itself; empty when no location resolves to the path (and in a profile
    // that cannot tell).
    virtual QString locationFor(const QString& path) const;

    // The user's home folder in this profile.
    virtual QString home() const = 0;

    // The folders where programs keep the user's settings (config), data
    // (the Trash among them) and state. On Linux the XDG config, data and
    // state homes: the variable when it holds an absolute path, else the
    // default below the home. Elsewhere those defaults: "~/.config",
    // "~/.local/share" and "~/.local/state".
    virtual QString configHome() const;
    virtual QString dataHome() const;
    virtual QString stateHome() const;
    // The folder where programs keep caches, as the profile names it: on
    // Linux the XDG cache home (the variable when absolute, else
    // "~/.cache"), elsewhere "~/Library/Caches". This is where the program
    // keeps its own working files; what cleans or lists caches goes through
    // resolveAll("~/Library/Caches"), which holds nothing for a cache home
    // that is not safe to clean.
    virtual QString cacheHome() const;

    // One of the user's own folders (documents, pictures, ...): the location
    // that names it the engines' way ("~/Documents") and the folder it is
    // here (not resolved through links).
    struct UserFolder {
        QString location;
        QString path;
    };
    // The user's own folders, which no cleaner takes as a whole. By default
    // the macOS ones below the home; on Linux the XDG user directories, read
    // afresh on every call.
    virtual QList<UserFolder> userFolders() const;
    // Whether `path` (a real path on this machine) lies in the system area:
    // at or below one of the profile's system folders ("/System", "/usr",
    // ...; on Linux also "/etc", "/var", ... but never inside the home).
    virtual bool isSystemPath(const QString& path) const = 0;
    // Whether `path` lies where the operating system itself is kept, which
    // the user is warned about before deleting there. The macOS layout keeps
    // it in "/System" alone; elsewhere it is the whole system area.
    virtual bool isOperatingSystemPath(const QString& path) const { return isSystemPath(path); }
    // Whether `path` lies on a pseudo file system that no walk enters.
    virtual bool isPseudoFileSystem(const QString& path) const = 0;
    // Real path of the freedesktop trash's info folder matching a files
    // folder, or empty when the profile has no such pairing.
    virtual QString trashInfoFolder() const = 0;

    static std::shared_ptr<Locations> createDefault();
    // macOS layout under `root`, with the user's home at `home` (a real
    // folder, usually inside root). Used by tests to reproduce every example.
    static std::shared_ptr<Locations> macProfile(const QString& root, const QString& home);
    // The Linux layout for the given home (the running user's by default).
    static std::shared_ptr<Locations> linuxProfile(const QString& home = {});
};

} // namespace velk::platform::locations
