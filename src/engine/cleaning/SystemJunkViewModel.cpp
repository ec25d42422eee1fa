#include "engine/cleaning/SystemJunkViewModel.h"

#include "engine/cleaning/JunkItemRemover.h"
#include "common/format/Formatting.h"
#include "platform/core/ServiceRegistry.h"

#include <QPointer>
#include <algorithm>
#include <set>

namespace velk::cleaning {
namespace {

QString fileStyle(std::int64_t bytes)
{
    return fmt::byteCount(bytes, fmt::ByteStyle::File);
}

} // namespace

SystemJunkViewModel::SystemJunkViewModel(QObject* parent)
    : QObject(parent)
    , m_categories(allScanCategoryIDs.begin(), allScanCategoryIDs.end())
    , m_categoryModel(m_categories, this)
{
}

SystemJunkViewModel::~SystemJunkViewModel()
{
    if (m_scanTask)
        m_scanTask->store(true);
}

// ---- Scanning -------------------------------------------------------------

void SystemJunkViewModel::startScan(bool autoCleanWhenDone)
{
    stopScan();
    m_autoCleanAfterScan = autoCleanWhenDone;
    setIsScanning(true);
    setScanComplete(false);
    setScanningCategory(allScanCategoryIDs.front());
    setTotalFound(0);
    for (ScanCategory& category : m_categories) {
        category.items.clear();
        category.scanState = ScanState::scanning();
    }
    publishCategories();

    m_scanTask = platform::core::makeCancelToken();
    const ScanRun run{m_scanTask, std::make_shared<const SystemJunkScanner>(m_scanner)};
    scanCategory(run, 0);
}

// Runs on the main thread before each category: the category's scan goes to
// the background and comes back through categoryScanned().
void SystemJunkViewModel::scanCategory(const ScanRun& run, std::size_t index)
{
    if (run.cancel->load())
        return;
    if (index == allScanCategoryIDs.size()) {
        finishScan(run);
        return;
    }
    const ScanCategoryID id = allScanCategoryIDs[index];
    if (isCurrent(run))
        setScanningCategory(id);

    const QPointer<SystemJunkViewModel> self(this);
    // The executor finishes its work before it goes, so the work may hold it
    // plainly (holding a share could end it on its own thread).
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::UserInitiated, [self, executor, run, index, id] {
        if (run.cancel->load())
            return;
        std::vector<FileItem> items = run.scanner->scan(id);
        if (run.cancel->load())
            return;
        executor->toMain(self, [self, run, index, items = std::move(items)]() mutable {
            if (self)
                self->categoryScanned(run, index, std::move(items));
        });
    });
}

void SystemJunkViewModel::categoryScanned(const ScanRun& run, std::size_t index, std::vector<FileItem> items)
{
    if (!isCurrent(run))
        return;
    const ScanCategoryID id = allScanCategoryIDs[index];
    const int row = rowOf(id);
    if (row >= 0) {
        ScanCategory& category = m_categories[static_cast<std::size_t>(row)];
        category.items.clear();
        adoptScannedItems(category, std::move(items));
        category.scanState = ScanState::done();
        publishCategory(row);
    }
    recomputeTotalFound();
    scanCategory(run, index + 1);
}

void SystemJunkViewModel::finishScan(const ScanRun& run)
{
    if (!isCurrent(run))
        return;
    setScanningCategory(std::nullopt);
    setIsScanning(false);
    setScanComplete(true);
    m_scanTask.reset();
    if (m_autoCleanAfterScan) {
        m_autoCleanAfterScan = false;
        clean();
    }
}

bool SystemJunkViewModel::isCurrent(const ScanRun& run) const
{
    return run.cancel == m_scanTask && !run.cancel->load();
}

void SystemJunkViewModel::stopScan()
{
    if (m_scanTask) {
        m_scanTask->store(true);
        m_scanTask.reset();
    }
    setScanningCategory(std::nullopt);
    setIsScanning(false);
}

// ---- Cleaning -------------------------------------------------------------

void SystemJunkViewModel::clean()
{
    if (m_isCleaning || m_isScanning || !m_scanComplete)
        return;
    setIsCleaning(true);

    std::vector<FileItem> selected;
    QHash<QUuid, ScanCategoryID> categoryOfItem;
    for (const ScanCategory& category : m_categories) {
        for (const FileItem& item : category.items) {
            if (item.isSelected) {
                selected.push_back(item);
                categoryOfItem.insert(item.id, category.id);
            }
        }
    }

    const QPointer<SystemJunkViewModel> self(this);
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    auto remover = std::make_shared<const JunkItemRemover>();
    auto scanner = std::make_shared<const SystemJunkScanner>(m_scanner);
    executor->run(platform::core::Priority::UserInitiated, [self, executor, remover, scanner, categoryOfItem,
                                                            items = std::move(selected)] {
        CleanOutcome outcome{remover->removeAll(items), static_cast<int>(items.size()), {}};
        // A category where something else took an item away has changed
        // since its scan in ways this clean cannot tell: it is scanned again.
        std::set<ScanCategoryID> changed;
        for (const QUuid& item : outcome.result.vanished)
            changed.insert(categoryOfItem.value(item));
        for (ScanCategoryID id : allScanCategoryIDs) {
            if (changed.contains(id))
                outcome.remeasured.emplace_back(id, scanner->scan(id));
        }
        executor->toMain(self, [self, outcome = std::move(outcome)] {
            if (self)
                self->finishClean(outcome);
        });
    });
}

void SystemJunkViewModel::finishClean(const CleanOutcome& outcome)
{
    const JunkItemRemover::Result& result = outcome.result;
    const std::int64_t freedBytes = result.freedBytes;
    const int failureCount = int(result.failures.size());
    m_failures = result.failures;
    setErrorMessage(failureCount >= 1 ? std::optional<QString>(QString::number(failureCount)) : std::nullopt);
    setTotalCleaned(freedBytes);
    setIsCleaning(false);
    m_cleanReport.emplace(freedBytes, failureCount, outcome.attemptedCount);
    emit cleanReportChanged();

    // What went leaves the list; an item that stayed shows what is left of it;
    // a category measured again shows what its scan found.
    for (ScanCategory& category : m_categories) {
        std::erase_if(category.items, [&](const FileItem& item) {
            return result.removed.contains(item.id) || result.vanished.contains(item.id);
        });
        for (FileItem& item : category.items)
            item.size = result.leftSizes.value(item.id, item.size);
    }
    for (const auto& [id, items] : outcome.remeasured) {
        const int row = rowOf(id);
        if (row >= 0)
            adoptScannedItems(m_categories[static_cast<std::size_t>(row)], items);
    }
    publishCategories();
    recomputeTotalFound();
    if (m_totalFound > 0 || failureCount > 0)
        selectAutomatically();
}

void SystemJunkViewModel::adoptScannedItems(ScanCategory& category, std::vector<FileItem> items)
{
    const bool confirm = requiresConfirmation(category.id);
    for (FileItem& item : items) {
        const auto listed = std::find_if(category.items.begin(), category.items.end(), [&](const FileItem& old) {
            return old.fileSystemPath() == item.fileSystemPath();
        });
        if (listed != category.items.end())
            item.isSelected = listed->isSelected;
        else if (confirm)
            item.isSelected = false;
    }
    category.items = std::move(items);
}

// ---- Selection ------------------------------------------------------------

void SystemJunkViewModel::setAllSelected(bool selected)
{
    for (ScanCategory& category : m_categories) {
        for (FileItem& item : category.items)
            item.isSelected = selected;
    }
    publishCategories();
}

void SystemJunkViewModel::prepareDeepCleanSelection()
{
    selectAutomatically();
}

void SystemJunkViewModel::selectAutomatically()
{
    for (ScanCategory& category : m_categories) {
        if (requiresConfirmation(category.id))
            continue;
        for (FileItem& item : category.items)
            item.isSelected = true;
    }
    publishCategories();
}

void SystemJunkViewModel::toggleSelectAll(const QString& categoryId, bool selected)
{
    if (const auto id = scanCategoryIDFromRawValue(categoryId))
        toggleSelectAll(*id, selected);
}

void SystemJunkViewModel::toggleSelectAll(ScanCategoryID id, bool selected)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    m_categories[static_cast<std::size_t>(row)].setSelected(selected);
    publishCategory(row);
}

void SystemJunkViewModel::setItemSelected(ScanCategoryID id, const QUuid& itemId, bool selected)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    auto& items = m_categories[static_cast<std::size_t>(row)].items;
    const auto it = std::find_if(items.begin(), items.end(), [&](const FileItem& item) { return item.id == itemId; });
    if (it == items.end() || it->isSelected == selected)
        return;
    it->isSelected = selected;
    publishCategory(row);
}

void SystemJunkViewModel::clearErrorMessage()
{
    m_failures.clear();
    setErrorMessage(std::nullopt);
}

void SystemJunkViewModel::clearCleanReport()
{
    if (!m_cleanReport)
        return;
    m_cleanReport.reset();
    emit cleanReportChanged();
}

int SystemJunkViewModel::rowOf(ScanCategoryID id) const
{
    const auto it = std::find_if(m_categories.begin(), m_categories.end(),
                                 [id](const ScanCategory& category) { return category.id == id; });
    return it == m_categories.end() ? -1 : static_cast<int>(it - m_categories.begin());
}

// ---- Derived values -------------------------------------------------------

std::int64_t SystemJunkViewModel::selectedSize() const
{
    std::int64_t total = 0;
    for (const ScanCategory& category : m_categories)
        total += category.selectedSize();
    return total;
}

QString SystemJunkViewModel::selectedSizeFormatted() const
{
    return fileStyle(selectedSize());
}

QString SystemJunkViewModel::totalFoundFormatted() const
{
    return fileStyle(m_totalFound);
}

QString SystemJunkViewModel::totalCleanedFormatted() const
{
    return fileStyle(m_totalCleaned);
}

bool SystemJunkViewModel::selectedContainsDerivedData() const
{
    const int row = rowOf(ScanCategoryID::derivedData);
    return row >= 0 && m_categories[static_cast<std::size_t>(row)].isSelected();
}

std::vector<ScanCategory> SystemJunkViewModel::selectedCategories() const
{
    std::vector<ScanCategory> selected;
    std::copy_if(m_categories.begin(), m_categories.end(), std::back_inserter(selected),
                 [](const ScanCategory& category) { return category.isSelected(); });
    return selected;
}

QStringList SystemJunkViewModel::selectedCategoryIds() const
{
    QStringList ids;
    for (const ScanCategory& category : m_categories) {
        if (category.isSelected())
            ids.append(rawValue(category.id));
    }
    return ids;
}

int SystemJunkViewModel::remainingJunkCount() const
{
    std::size_t count = 0;
    for (const ScanCategory& category : m_categories)
        count += category.items.size();
    return static_cast<int>(count);
}

QString SystemJunkViewModel::scanningCategoryId() const
{
    return m_scanningCategory ? rawValue(*m_scanningCategory) : QString();
}

QVariant SystemJunkViewModel::errorMessageValue() const
{
    return m_errorMessage ? QVariant(*m_errorMessage) : QVariant();
}

QVariant SystemJunkViewModel::cleanReportValue() const
{
    return m_cleanReport ? QVariant(m_cleanReport->toVariantMap()) : QVariant();
}

// ---- Publication ----------------------------------------------------------

void SystemJunkViewModel::publishCategory(int row)
{
    m_categoryModel.rowChanged(row);
    emit categoriesChanged();
}

void SystemJunkViewModel::publishCategories()
{
    m_categoryModel.allRowsChanged();
    emit categoriesChanged();
}

void SystemJunkViewModel::recomputeTotalFound()
{
    std::int64_t total = 0;
    for (const ScanCategory& category : m_categories)
        total += category.totalSize();
    setTotalFound(total);
}

void SystemJunkViewModel::setIsScanning(bool value)
{
    if (std::exchange(m_isScanning, value) != value)
        emit isScanningChanged();
}

void SystemJunkViewModel::setIsCleaning(bool value)
{
    if (std::exchange(m_isCleaning, value) != value)
        emit isCleaningChanged();
}

void SystemJunkViewModel::setTotalFound(std::int64_t value)
{
    if (std::exchange(m_totalFound, value) != value)
        emit totalFoundChanged();
}

void SystemJunkViewModel::setTotalCleaned(std::int64_t value)
{
    if (std::exchange(m_totalCleaned, value) != value)
        emit totalCleanedChanged();
}

void SystemJunkViewModel::setScanComplete(bool value)
{
    if (std::exchange(m_scanComplete, value) != value)
        emit scanCompleteChanged();
}

void SystemJunkViewModel::setScanningCategory(std::optional<ScanCategoryID> value)
{
    if (std::exchange(m_scanningCategory, value) != value)
        emit scanningCategoryChanged();
}

void SystemJunkViewModel::setErrorMessage(std::optional<QString> value)
{
    if (m_errorMessage == value)
        return;
    m_errorMessage = std::move(value);
    emit errorMessageChanged();
}

} // namespace velk::cleaning
