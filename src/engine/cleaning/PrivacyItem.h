#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>

namespace velk::cleaning {

// One privacy target: a browser history or cache, the mail downloads, the
// recent-items list. `paths` are locations as the engines name them
// ("~/Library/Caches/Google/Chrome"); a scan resolves each on this machine.
struct PrivacyItem {
    PrivacyItem(const QString& title, const QString& titleEn, const QString& icon, const QStringList& paths,
                bool isSelected = false);

    QUuid id;
    QString title;      // Chinese
    QString titleEn;
    QString icon;       // symbol name
    QStringList paths;
    bool isSelected = false;
    QStringList scannedTargets;          // regular files found by the last scan
    std::optional<QString> scanError;    // why the last scan failed, Chinese
    std::optional<QString> scanErrorEn;  // the same in English
    bool didScan = false;
    int itemCount = 0;
    qint64 totalSize = 0;

    QString formattedSize() const;
    // Scanned without error and holding files.
    bool hasCleanableFiles() const { return didScan && !scanError && !scannedTargets.isEmpty(); }
    // The mail downloads, which selecting everything leaves out.
    bool isMailAttachments() const { return icon == u"envelope"; }

    // The seven targets, in order, unselected and unscanned.
    static QList<PrivacyItem> allTargets();
};

} // namespace velk::cleaning
