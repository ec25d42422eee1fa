#pragma once

#include "engine/cleaning/FileItem.h"
#include "platform/files/FileIdentity.h"
#include "platform/files/FileRemover.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>
#include <optional>

namespace velk::cleaning {

// One installed application and the leftovers found for it. Every record
// gets a fresh id; the fields after `diskSize` change as the user works.
struct AppItem {
    AppItem(const QString& name, std::optional<QString> bundleID, const QString& path,
            std::optional<QString> version, qint64 diskSize, std::optional<QDateTime> installDate,
            std::optional<QDateTime> lastUsedDate, int useCount = 0);

    QUuid id;
    QString name;                       // the bundle's file name without its extension
    std::optional<QString> bundleID;
    QString path;                       // absolute path of the bundle
    std::optional<QString> version;
    qint64 diskSize = 0;                // logical bytes of the bundle
    std::optional<QDateTime> installDate;
    std::optional<QDateTime> lastUsedDate;
    int useCount = 0;
    bool isSelected = false;
    QList<FileItem> associatedFiles;    // filled on demand
    // What discovery saw of the bundle folder; none for a record made by hand.
    std::optional<platform::files::ScannedIdentity> identity;

    // diskSize plus every leftover, selected or not.
    qint64 totalSize() const;
    QString formattedSize() const;
    QString formattedTotalSize() const;
    QUrl url() const { return QUrl::fromLocalFile(path); }
    bool isNeverUsed() const { return !lastUsedDate && useCount == 0; }
    // What removing the bundle acts on: its path and what discovery saw.
    platform::files::RemovalTarget removalTarget() const { return {QFile::encodeName(path), identity}; }

    // The fields of the record; what discovery saw of the bundle follows
    // from the path and is not part of its value.
    bool operator==(const AppItem& other) const;
};

} // namespace velk::cleaning
