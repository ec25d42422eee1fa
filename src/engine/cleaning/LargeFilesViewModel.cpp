#include "engine/cleaning/LargeFilesViewModel.h"

#include "engine/cleaning/FullDiskAccess.h"
#include "engine/inspection/FileDependencyService.h"
#include "platform/core/Executor.h"
#include "platform/files/FileRemover.h"
#include "platform/core/ServiceRegistry.h"

#include <QPointer>
#include <QSet>

#include <cmath>
#include <limits>
#include <mutex>

namespace velk::cleaning {

// Receives one scan's progress on the worker threads and hands the latest
// figures to the main thread, one hop at a time: figures that arrive while a
// hop is pending only replace the ones it will deliver.
class LargeFilesViewModel::ScanSink : public std::enable_shared_from_this<ScanSink> {
public:
    ScanSink(QPointer<LargeFilesViewModel> owner, std::shared_ptr<LargeFileScanStop> stop,
             platform::core::Executor* executor)
        : m_owner(std::move(owner))
        , m_stop(std::move(stop))
        , m_executor(executor)
    {
    }

    void update(std::int64_t visited, std::int64_t matched, const QString& folder)
    {
        bool post = false;
        {
            std::lock_guard lock(m_mutex);
            m_visited = visited;
            m_matched = matched;
            if (!folder.isEmpty())
                m_folder = folder;
            post = !std::exchange(m_pending, true);
        }
        if (post)
            m_executor->toMain(m_owner, [self = shared_from_this()] { self->deliver(); });
    }

private:
    void deliver()
    {
        std::int64_t visited = 0;
        std::int64_t matched = 0;
        QString folder;
        {
            std::lock_guard lock(m_mutex);
            visited = m_visited;
            matched = m_matched;
            folder = m_folder;
            m_pending = false;
        }
        if (m_owner)
            m_owner->scanProgressed(m_stop, visited, matched, folder);
    }

    QPointer<LargeFilesViewModel> m_owner;
    std::shared_ptr<LargeFileScanStop> m_stop;
    platform::core::Executor* m_executor;
    std::mutex m_mutex;
    std::int64_t m_visited = 0;
    std::int64_t m_matched = 0;
    QString m_folder;
    bool m_pending = false;
};

LargeFilesViewModel::LargeFilesViewModel(QObject* parent)
    : QObject(parent)
    , m_items(this)
    , m_filtered(this)
    , m_inUseLookup([](const QStringList& paths) {
        const inspection::openfiles::HandleMap held = inspection::FileDependencyService::openProcesses(paths);
        InUseMap found;
        for (auto it = held.cbegin(); it != held.cend(); ++it)
            found.insert(it.key(), it.value());
        return found;
    })
{
    m_filtered.setSourceModel(&m_items);
}

LargeFilesViewModel::~LargeFilesViewModel()
{
    if (m_scanStop)
        m_scanStop->stop();
}

std::int64_t LargeFilesViewModel::minimumSizeBytes(double minSizeMB)
{
    const double megabytes = std::isfinite(minSizeMB) && minSizeMB > 0 ? minSizeMB : kDefaultMinSizeMB;
    const double bytes = megabytes * 1024.0 * 1024.0;
    // 2^63: the first double that no longer fits.
    if (!(bytes < 9223372036854775808.0))
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(bytes);
}

// ---- Scanning -------------------------------------------------------------

void LargeFilesViewModel::refreshDiskAccess()
{
    setHasFullDiskAccess(FullDiskAccess::isGranted());
}

void LargeFilesViewModel::scan(const QStringList& roots)
{
    stopScan();
    refreshDiskAccess();
    setIsScanning(true);
    setItems({});
    setScanFigures(0, 0, QString());

    const LargeFileScanner scanner(minimumSizeBytes(m_minSizeMB));
    auto stop = std::make_shared<LargeFileScanStop>();
    m_scanStop = stop;

    const QPointer<LargeFilesViewModel> self(this);
    // The executor finishes its work before it goes, so the work may hold it
    // plainly (holding a share could end it on its own thread).
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    auto sink = std::make_shared<ScanSink>(self, stop, executor);
    executor->run(platform::core::Priority::UserInitiated, [self, executor, scanner, roots, stop, sink] {
        auto progress = [sink](std::int64_t visited, std::int64_t matched, const QString& folder) {
            sink->update(visited, matched, folder);
        };
        auto done = [self, executor, stop](QList<FileItem> found) {
            if (stop->isStopped())
                return;
            executor->toMain(self, [self, stop, found = std::move(found)]() mutable {
                self->scanFinished(stop, std::move(found));
            });
        };
        scanner.scan(roots, stop, std::move(progress), std::move(done));
    });
}

bool LargeFilesViewModel::isCurrentScan(const std::shared_ptr<LargeFileScanStop>& stop) const
{
    return m_isScanning && stop == m_scanStop && !stop->isStopped();
}

void LargeFilesViewModel::scanProgressed(const std::shared_ptr<LargeFileScanStop>& stop, std::int64_t visited,
                                         std::int64_t matched, const QString& folder)
{
    if (isCurrentScan(stop))
        setScanFigures(visited, matched, folder.isEmpty() ? m_scanFolder : folder);
}

void LargeFilesViewModel::scanFinished(const std::shared_ptr<LargeFileScanStop>& stop, QList<FileItem> found)
{
    if (!isCurrentScan(stop))
        return;
    setItems(found);
    setIsScanning(false);
}

void LargeFilesViewModel::stopScan()
{
    if (m_scanStop)
        m_scanStop->stop();
    setIsScanning(false);
}

// ---- Selection and search ---------------------------------------------------

QList<FileItem> LargeFilesViewModel::filteredItems() const
{
    QList<FileItem> filtered;
    for (const FileItem& item : items()) {
        if (matchesSearch(item.name, m_searchText))
            filtered.append(item);
    }
    return filtered;
}

QList<FileItem> LargeFilesViewModel::selectedItems() const
{
    QList<FileItem> selected;
    for (const FileItem& item : items()) {
        if (item.isSelected)
            selected.append(item);
    }
    return selected;
}

int LargeFilesViewModel::selectedCount() const
{
    return static_cast<int>(std::count_if(items().begin(), items().end(),
                                          [](const FileItem& item) { return item.isSelected; }));
}

int LargeFilesViewModel::filteredCount() const
{
    return static_cast<int>(std::count_if(items().begin(), items().end(), [&](const FileItem& item) {
        return matchesSearch(item.name, m_searchText);
    }));
}

bool LargeFilesViewModel::allFilteredSelected() const
{
    bool any = false;
    for (const FileItem& item : items()) {
        if (!matchesSearch(item.name, m_searchText))
            continue;
        if (!item.isSelected)
            return false;
        any = true;
    }
    return any;
}

void LargeFilesViewModel::setFilteredSelected(bool selected)
{
    QList<FileItem> updated = items();
    for (FileItem& item : updated) {
        if (matchesSearch(item.name, m_searchText))
            item.isSelected = selected;
    }
    setItems(updated);
}

void LargeFilesViewModel::toggleSelect(const FileItem& item)
{
    QList<FileItem> updated = items();
    const auto it = std::find_if(updated.begin(), updated.end(), [&](const FileItem& i) { return i.id == item.id; });
    if (it == updated.end())
        return;
    it->isSelected = !it->isSelected;
    setItems(updated);
}

void LargeFilesViewModel::toggleSelect(const QString& id)
{
    const QUuid uuid(id);
    const auto it = std::find_if(items().begin(), items().end(), [&](const FileItem& i) { return i.id == uuid; });
    if (it != items().end())
        toggleSelect(*it);
}

void LargeFilesViewModel::setSearchText(const QString& text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    m_filtered.setSearchText(text);
    emit searchTextChanged();
    emit selectionChanged();
}

void LargeFilesViewModel::setMinSizeMB(double value)
{
    if (value == m_minSizeMB)
        return;
    m_minSizeMB = value;
    emit minSizeMBChanged();
}

// ---- In-use check ---------------------------------------------------------

void LargeFilesViewModel::checkSelectedInUse()
{
    QStringList paths;
    for (const FileItem& item : selectedItems())
        paths << item.path;
    const std::uint64_t check = ++m_inUseCheck;
    if (paths.isEmpty()) {
        if (!m_inUseBeforeTrash.isEmpty()) {
            m_inUseBeforeTrash.clear();
            emit inUseBeforeTrashChanged();
        }
        setIsCheckingInUse(false);
        emit inUseCheckFinished();
        return;
    }
    setIsCheckingInUse(true);
    const QPointer<LargeFilesViewModel> self(this);
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::UserInitiated, [self, executor, check, paths, lookup = m_inUseLookup] {
        InUseMap found = lookup(paths);
        executor->toMain(self, [self, check, found = std::move(found)]() mutable {
            self->inUseLookedUp(check, std::move(found));
        });
    });
}

void LargeFilesViewModel::inUseLookedUp(std::uint64_t check, InUseMap found)
{
    if (check != m_inUseCheck)
        return;
    m_inUseBeforeTrash = std::move(found);
    emit inUseBeforeTrashChanged();
    setIsCheckingInUse(false);
    emit inUseCheckFinished();
}

QVariantMap LargeFilesViewModel::inUseBeforeTrashValue() const
{
    QVariantMap map;
    for (auto it = m_inUseBeforeTrash.cbegin(); it != m_inUseBeforeTrash.cend(); ++it) {
        QVariantList holders;
        for (const inspection::FileOpenHandle& handle : it.value())
            holders.append(QVariantMap{{"pid", handle.pid}, {"command", handle.command}});
        map.insert(it.key(), holders);
    }
    return map;
}

// ---- Deleting -------------------------------------------------------------

void LargeFilesViewModel::deleteSelected(bool permanently)
{
    if (m_isDeleting)
        return;
    const QList<FileItem> selected = selectedItems();
    if (selected.isEmpty())
        return;
    setIsDeleting(true);
    const QPointer<LargeFilesViewModel> self(this);
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    auto remover = platform::core::service<platform::files::FileRemover>();
    executor->run(platform::core::Priority::UserInitiated, [self, executor, remover, selected, permanently] {
        // The remover acts on the bytes the scan found and refuses an entry
        // that is no longer the one scanned.
        QSet<QUuid> removed;
        QList<RemovalFailure> failed;
        for (const FileItem& item : selected) {
            const platform::files::RemovalResult result = permanently ? remover->removePermanently(item.removalTarget())
                                                                      : remover->moveToTrash(item.removalTarget());
            if (result.gone)
                removed.insert(item.id);
            else
                failed.append(RemovalFailure::of(item.path, result));
        }
        executor->toMain(self, [self, removed, failed] { self->deletionFinished(removed, failed); });
    });
}

void LargeFilesViewModel::deletionFinished(const QSet<QUuid>& removed, const QList<RemovalFailure>& failed)
{
    QList<FileItem> remaining = items();
    remaining.removeIf([&](const FileItem& item) { return removed.contains(item.id); });
    setItems(remaining);
    setFailures(failed);
    setIsDeleting(false);
}

void LargeFilesViewModel::setFailedPaths(const QStringList& paths)
{
    setFailures(failuresOf(paths, m_failures));
}

void LargeFilesViewModel::setFailures(const QList<RemovalFailure>& failures)
{
    if (m_failures == failures)
        return;
    m_failures = failures;
    emit failedPathsChanged();
}

// ---- Publication ----------------------------------------------------------

void LargeFilesViewModel::setItems(const QList<FileItem>& items)
{
    m_items.update(items);
    emit selectionChanged();
}

void LargeFilesViewModel::setScanFigures(qint64 visited, qint64 matched, const QString& folder)
{
    if (visited == m_scanProgress && matched == m_scanMatched && folder == m_scanFolder)
        return;
    m_scanProgress = visited;
    m_scanMatched = matched;
    m_scanFolder = folder;
    emit scanProgressChanged();
}

void LargeFilesViewModel::setIsScanning(bool value)
{
    if (std::exchange(m_isScanning, value) != value)
        emit isScanningChanged();
}

void LargeFilesViewModel::setHasFullDiskAccess(bool value)
{
    if (std::exchange(m_hasFullDiskAccess, value) != value)
        emit hasFullDiskAccessChanged();
}

void LargeFilesViewModel::setIsCheckingInUse(bool value)
{
    if (std::exchange(m_isCheckingInUse, value) != value)
        emit isCheckingInUseChanged();
}

void LargeFilesViewModel::setIsDeleting(bool value)
{
    if (std::exchange(m_isDeleting, value) != value)
        emit isDeletingChanged();
}

} // namespace velk::cleaning
