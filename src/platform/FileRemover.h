#pragma once

#include <QString>
#include <memory>

namespace velk::platform {

// Removes files and folders. Never follows a symbolic link out of the item:
// a link is removed as a link, and links met inside a folder are unlinked,
// not entered.
class FileRemover {
public:
    virtual ~FileRemover() = default;
    // Removes `path` and everything below it. True when it is gone. An item
    // of the user's Trash takes the Trash's record of it along.
    virtual bool removePermanently(const QString& path) = 0;
    // Moves `path` to the user's Trash without copying across devices.
    virtual bool moveToTrash(const QString& path) = 0;

    static std::shared_ptr<FileRemover> createDefault();
};

} // namespace velk::platform
