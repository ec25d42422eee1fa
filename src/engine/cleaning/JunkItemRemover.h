#pragma once

#include "engine/cleaning/FileItem.h"

#include <QSet>
#include <QString>
#include <QUuid>
#include <cstdint>
#include <memory>
#include <vector>

namespace velk::platform {
class FileRemover;
}

namespace velk {

// Removes junk items permanently, one after another, without following links.
// Made on the main thread (it takes the platform services there) and then
// used on a background thread.
class JunkItemRemover {
public:
    struct Result {
        std::int64_t freedBytes = 0;  // sizes of the items that were removed
        int failureCount = 0;
        QSet<QUuid> removed;          // ids of the removed items
    };

    JunkItemRemover();

    // Tries every item once. An item that is no longer there (for instance
    // because a folder holding it went first) counts as a failure and frees
    // nothing, so no byte is counted twice.
    Result removeAll(const std::vector<FileItem>& items) const;

private:
    bool remove(const QString& path) const;

    std::shared_ptr<platform::FileRemover> m_remover;
};

} // namespace velk
