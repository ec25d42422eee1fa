#pragma once

#include "engine/cleaning/FileItem.h"
#include "engine/cleaning/FileItemListModel.h"
#include "engine/cleaning/LargeFileScanner.h"
#include "engine/cleaning/RemovalFailure.h"
#include "engine/inspection/FileOpenHandle.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QSortFilterProxyModel>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <cstdint>
#include <functional>
#include <memory>

namespace velk::cleaning {

// Drives the Large Files screen: scans the chosen folders in the background
// with live progress, keeps the found files and their selection, filters
// them by name, asks which processes hold the selected files open, and moves
// the selected files to the Trash or deletes them. Main-thread object.
class LargeFilesViewModel : public QObject {
    Q_OBJECT
    // The found files, largest first; rows change in place.
    Q_PROPERTY(velk::cleaning::FileItemListModel* items READ itemModel CONSTANT)
    // The rows of `items` whose name contains the search text.
    Q_PROPERTY(velk::cleaning::FileItemSearchModel* filteredItems READ filteredModel CONSTANT)
    Q_PROPERTY(bool isScanning READ isScanning NOTIFY isScanningChanged)
    Q_PROPERTY(qint64 scanProgress READ scanProgress NOTIFY scanProgressChanged)
    Q_PROPERTY(qint64 scanMatched READ scanMatched NOTIFY scanProgressChanged)
    Q_PROPERTY(QString scanFolder READ scanFolder NOTIFY scanProgressChanged)
    Q_PROPERTY(bool hasFullDiskAccess READ hasFullDiskAccess NOTIFY hasFullDiskAccessChanged)
    Q_PROPERTY(double minSizeMB READ minSizeMB WRITE setMinSizeMB NOTIFY minSizeMBChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    // Path -> [{pid, command}] for the selected files some process holds open.
    Q_PROPERTY(QVariantMap inUseBeforeTrash READ inUseBeforeTrashValue NOTIFY inUseBeforeTrashChanged)
    Q_PROPERTY(bool isCheckingInUse READ isCheckingInUse NOTIFY isCheckingInUseChanged)
    Q_PROPERTY(bool isDeleting READ isDeleting NOTIFY isDeletingChanged)
    // The files the last deletion left where they were, in list order;
    // emptied by the screen once it has shown them. failures() tells why.
    Q_PROPERTY(QStringList failedPaths READ failedPaths WRITE setFailedPaths NOTIFY failedPathsChanged)
    Q_PROPERTY(int selectedCount READ selectedCount NOTIFY selectionChanged)
    Q_PROPERTY(int filteredCount READ filteredCount NOTIFY selectionChanged)
    // Whether there are filtered rows and every one of them is selected.
    Q_PROPERTY(bool allFilteredSelected READ allFilteredSelected NOTIFY selectionChanged)

public:
    using InUseMap = QMap<QString, QList<inspection::FileOpenHandle>>;
    // Which of the given paths some process holds open, and by whom. Called
    // on a background thread; by default the dependency service's open-file
    // listing answers.
    using InUseLookup = std::function<InUseMap(const QStringList& paths)>;

    static constexpr double kDefaultMinSizeMB = 50.0;

    explicit LargeFilesViewModel(QObject* parent = nullptr);
    ~LargeFilesViewModel() override;

    // The smallest size a scan reports for a minimum of `minSizeMB` units of
    // 1,048,576 bytes, truncated. A minimum that is not a number above 0
    // counts as the default; one too large for 64 bits is clamped.
    static std::int64_t minimumSizeBytes(double minSizeMB);

    void setInUseLookup(InUseLookup lookup) { m_inUseLookup = std::move(lookup); }

    const QList<FileItem>& items() const { return m_items.rows(); }
    QList<FileItem> filteredItems() const;
    QList<FileItem> selectedItems() const;
    FileItemListModel* itemModel() { return &m_items; }
    FileItemSearchModel* filteredModel() { return &m_filtered; }

    bool isScanning() const { return m_isScanning; }
    qint64 scanProgress() const { return m_scanProgress; }
    qint64 scanMatched() const { return m_scanMatched; }
    QString scanFolder() const { return m_scanFolder; }
    bool hasFullDiskAccess() const { return m_hasFullDiskAccess; }
    double minSizeMB() const { return m_minSizeMB; }
    void setMinSizeMB(double value);
    QString searchText() const { return m_searchText; }
    void setSearchText(const QString& text);
    const InUseMap& inUseBeforeTrash() const { return m_inUseBeforeTrash; }
    bool isCheckingInUse() const { return m_isCheckingInUse; }
    bool isDeleting() const { return m_isDeleting; }
    QStringList failedPaths() const { return pathsOf(m_failures); }
    void setFailedPaths(const QStringList& paths);
    const QList<RemovalFailure>& failures() const { return m_failures; }
    int selectedCount() const;
    int filteredCount() const;
    bool allFilteredSelected() const;

    Q_INVOKABLE void refreshDiskAccess();
    // Stops a running scan, then scans `roots` for files of at least minSizeMB.
    Q_INVOKABLE void scan(const QStringList& roots);
    // Stops the running scan; its result is discarded.
    Q_INVOKABLE void stopScan();
    // Selects or clears every file the search text lets through.
    Q_INVOKABLE void setFilteredSelected(bool selected);
    // Flips the selection of the file with the same id.
    void toggleSelect(const FileItem& item);
    Q_INVOKABLE void toggleSelect(const QString& id);
    // Looks up in the background who holds the selected files open;
    // inUseCheckFinished() follows once inUseBeforeTrash is stored.
    Q_INVOKABLE void checkSelectedInUse();
    // Moves the selected files to the Trash, or deletes them permanently, in
    // the background. Files that could not be removed (the remover refused
    // them, or failed) stay listed and selected, and their paths become
    // failedPaths.
    Q_INVOKABLE void deleteSelected(bool permanently);

signals:
    void isScanningChanged();
    void scanProgressChanged();
    void hasFullDiskAccessChanged();
    void minSizeMBChanged();
    void searchTextChanged();
    void inUseBeforeTrashChanged();
    void isCheckingInUseChanged();
    void isDeletingChanged();
    void failedPathsChanged();
    void selectionChanged();
    void inUseCheckFinished();

private:
    class ScanSink;

    void scanProgressed(const std::shared_ptr<LargeFileScanStop>& stop, std::int64_t visited,
                        std::int64_t matched, const QString& folder);
    void scanFinished(const std::shared_ptr<LargeFileScanStop>& stop, QList<FileItem> found);
    void inUseLookedUp(std::uint64_t check, InUseMap found);
    void deletionFinished(const QSet<QUuid>& removed, const QList<RemovalFailure>& failed);
    void setFailures(const QList<RemovalFailure>& failures);
    bool isCurrentScan(const std::shared_ptr<LargeFileScanStop>& stop) const;

    void setItems(const QList<FileItem>& items);
    void setIsScanning(bool value);
    void setHasFullDiskAccess(bool value);
    void setIsCheckingInUse(bool value);
    void setIsDeleting(bool value);
    void setScanFigures(qint64 visited, qint64 matched, const QString& folder);
    QVariantMap inUseBeforeTrashValue() const;

    FileItemListModel m_items;
    FileItemSearchModel m_filtered;
    bool m_isScanning = false;
    qint64 m_scanProgress = 0;
    qint64 m_scanMatched = 0;
    QString m_scanFolder;
    bool m_hasFullDiskAccess = true;
    double m_minSizeMB = kDefaultMinSizeMB;
    QString m_searchText;
    std::shared_ptr<LargeFileScanStop> m_scanStop;  // the latest scan's stop signal
    InUseMap m_inUseBeforeTrash;
    bool m_isCheckingInUse = false;
    std::uint64_t m_inUseCheck = 0;  // tells the latest in-use check from earlier ones
    bool m_isDeleting = false;
    QList<RemovalFailure> m_failures;
    InUseLookup m_inUseLookup;
};

} // namespace velk::cleaning
