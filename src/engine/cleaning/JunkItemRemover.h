#pragma once

#include "engine/cleaning/FileItem.h"
#include "engine/cleaning/RemovalFailure.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QUuid>
#include <cstdint>
#include <memory>
#include <vector>

namespace velk::platform::files {
class FileRemover;
}

namespace velk::cleaning {

// Removes junk items permanently, one after another, without following links.
// Made on the main thread (it takes the platform services there) and then
// used on a background thread.
class JunkItemRemover {
public:
    struct Result {
        std::int64_t freedBytes = 0;  // bytes that went away, parts of items that stayed included
        // The items that stayed, in order, and why; an item whose name holds
        // another entry now (a link, another object) among them.
        QList<RemovalFailure> failures;
        QSet<QUuid> removed;          // ids of the items this clean removed
        // Ids of the items no longer on disk as scanned (gone, or another
        // entry under the name) that this clean did not remove: they free
        // nothing here, and one that is merely gone is no failure.
        QSet<QUuid> vanished;
        // What is left of each item that stayed, measured as a scan measures
        // it; an item no longer there as scanned has no entry.
        QHash<QUuid, qint64> leftSizes;
    };

    JunkItemRemover();

    // Tries every item once, acting on the object scanned and nothing else.
    // An item that went with a folder removed earlier in the same call counts
    // as removed, freeing nothing more; any other item no longer there as
    // scanned, before or during its removal, has vanished, and is a failure
    // too when another entry took its name. An item that stays is measured
    // again.
    Result removeAll(const std::vector<FileItem>& items) const;

private:
    std::shared_ptr<platform::files::FileRemover> m_remover;
};

} // namespace velk::cleaning
