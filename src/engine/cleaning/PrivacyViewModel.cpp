#include "engine/cleaning/PrivacyViewModel.h"

#include "engine/cleaning/PrivacyFileSafety.h"
#include "platform/core/Executor.h"
#include "platform/files/FileRemover.h"
#include "common/format/Formatting.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"

#include <QPointer>

namespace velk::cleaning {
namespace {

QString fileStyle(qint64 bytes)
{
    return fmt::byteCount(bytes, fmt::ByteStyle::File);
}

} // namespace

PrivacyViewModel::PrivacyViewModel(QObject* parent)
    : QObject(parent)
    , m_items(PrivacyItem::allTargets())
    , m_model(m_items, this)
{
}

// ---- Derived state --------------------------------------------------------

qint64 PrivacyViewModel::totalFoundSize() const
{
    qint64 total = 0;
    for (const PrivacyItem& item : m_items)
        total += item.totalSize;
    return total;
}

QString PrivacyViewModel::totalFoundSizeFormatted() const
{
    return fileStyle(totalFoundSize());
}

QList<PrivacyItem> PrivacyViewModel::cleanableItems() const
{
    QList<PrivacyItem> cleanable;
    for (const PrivacyItem& item : m_items) {
        if (item.isSelected && item.hasCleanableFiles())
            cleanable.append(item);
    }
    return cleanable;
}

bool PrivacyViewModel::canClean() const
{
    return m_hasScanned && !m_isScanning && !m_isCleaning && !cleanableItems().isEmpty();
}

qint64 PrivacyViewModel::selectedSize() const
{
    qint64 total = 0;
    for (const PrivacyItem& item : cleanableItems())
        total += item.totalSize;
    return total;
}

QString PrivacyViewModel::selectedSizeFormatted() const
{
    return fileStyle(selectedSize());
}

bool PrivacyViewModel::hasSelection() const
{
    return std::any_of(m_items.cbegin(), m_items.cend(), [](const PrivacyItem& i) { return i.isSelected; });
}

// ---- Selection ------------------------------------------------------------

void PrivacyViewModel::setAllSelected(bool selected)
{
    for (PrivacyItem& item : m_items)
        item.isSelected = selected && item.hasCleanableFiles() && !item.isMailAttachments();
    m_model.allRowsChanged();
    emit summaryChanged();
}

void PrivacyViewModel::setSelected(int row, bool selected)
{
    if (row < 0 || row >= m_items.size() || m_items[row].isSelected == selected)
        return;
    m_items[row].isSelected = selected;
    m_model.rowChanged(row);
    emit summaryChanged();
}

// ---- Scanning -------------------------------------------------------------

void PrivacyViewModel::scan()
{
    if (m_isScanning || m_isCleaning)
        return;
    setIsScanning(true);
    setHasScanned(false);

    const QPointer<PrivacyViewModel> self(this);
    const std::shared_ptr<const platform::locations::Locations> locations = platform::core::service<platform::locations::Locations>();
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::UserInitiated, [self, executor, locations, items = m_items]() mutable {
        for (PrivacyItem& item : items) {
            item.scannedTargets.clear();
            item.totalSize = 0;
            item.itemCount = 0;
            item.scanError.reset();
            item.scanErrorEn.reset();
            item.didScan = true;
            PrivacyFileSafety::ScanResult result = PrivacyFileSafety::scanLocations(item.paths, *locations);
            if (result.failure) {
                item.scanError = result.failure->text();
                item.scanErrorEn = result.failure->textEn();
                item.isSelected = false;
                continue;
            }
            item.scannedTargets = std::move(result.targets);
            item.totalSize = result.size;
            item.itemCount = int(item.scannedTargets.size());
        }
        executor->toMain(self, [self, items = std::move(items)]() mutable { self->finishScan(std::move(items)); });
    });
}

// The scan's copies replace the items whole: selections made while it ran
// give way to the ones it started with.
void PrivacyViewModel::finishScan(QList<PrivacyItem> scanned)
{
    m_items = std::move(scanned);
    m_model.allRowsChanged();
    emit summaryChanged();
    setIsScanning(false);
    setHasScanned(true);
}

// ---- Cleaning -------------------------------------------------------------

void PrivacyViewModel::clean()
{
    if (!canClean())
        return;
    setIsCleaning(true);

    const QPointer<PrivacyViewModel> self(this);
    const std::shared_ptr<platform::files::FileRemover> remover = platform::core::service<platform::files::FileRemover>();
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::UserInitiated, [self, executor, remover, items = cleanableItems()] {
        int failures = 0;
        for (const PrivacyItem& item : items) {
            failures += PrivacyFileSafety::clean(item.scannedTargets,
                                                 [&remover](const QString& path) { return remover->moveToTrash(path).gone; });
        }
        executor->toMain(self, [self, failures] { self->finishClean(failures); });
    });
}

void PrivacyViewModel::finishClean(int failures)
{
    setFailureCount(failures);
    setIsCleaning(false);
    scan();
}

// ---- Published flags ------------------------------------------------------

void PrivacyViewModel::setFailureCount(int count)
{
    if (m_failureCount == count)
        return;
    m_failureCount = count;
    emit failureCountChanged();
}

void PrivacyViewModel::setIsScanning(bool value)
{
    if (m_isScanning == value)
        return;
    m_isScanning = value;
    emit isScanningChanged();
    emit summaryChanged();
}

void PrivacyViewModel::setIsCleaning(bool value)
{
    if (m_isCleaning == value)
        return;
    m_isCleaning = value;
    emit isCleaningChanged();
    emit summaryChanged();
}

void PrivacyViewModel::setHasScanned(bool value)
{
    if (m_hasScanned == value)
        return;
    m_hasScanned = value;
    emit hasScannedChanged();
    emit summaryChanged();
}

} // namespace velk::cleaning
