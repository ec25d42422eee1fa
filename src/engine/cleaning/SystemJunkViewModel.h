#pragma once

#include "engine/cleaning/JunkCleanReport.h"
#include "engine/cleaning/JunkItemRemover.h"
#include "engine/cleaning/ScanCategory.h"
#include "engine/cleaning/ScanCategoryListModel.h"
#include "engine/cleaning/SystemJunkScanner.h"
#include "platform/core/Executor.h"

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace velk::cleaning {

// Drives the junk feature: scans the categories one after another in the
// background, publishes each category as it is done, keeps the selection,
// removes the selected items permanently and reports the outcome.
// Main-thread object; the dashboard and the System Junk screen share one.
class SystemJunkViewModel : public QObject {
    Q_OBJECT
    // One row per category, in declaration order; rows change in place.
    Q_PROPERTY(velk::cleaning::ScanCategoryListModel* categories READ categoryModel CONSTANT)
    Q_PROPERTY(bool isScanning READ isScanning NOTIFY isScanningChanged)
    Q_PROPERTY(bool isCleaning READ isCleaning NOTIFY isCleaningChanged)
    Q_PROPERTY(qint64 totalFound READ totalFound NOTIFY totalFoundChanged)
    Q_PROPERTY(qint64 totalCleaned READ totalCleaned NOTIFY totalCleanedChanged)
    Q_PROPERTY(bool scanComplete READ scanComplete NOTIFY scanCompleteChanged)
    // Raw value of the category being scanned; empty when none.
    Q_PROPERTY(QString scanningCategory READ scanningCategoryId NOTIFY scanningCategoryChanged)
    // Failure count of the last clean as digits; undefined when none.
    Q_PROPERTY(QVariant errorMessage READ errorMessageValue NOTIFY errorMessageChanged)
    // {id, freedBytes, failureCount, attemptedCount}; undefined when none.
    Q_PROPERTY(QVariant cleanReport READ cleanReportValue NOTIFY cleanReportChanged)
    Q_PROPERTY(qint64 selectedSize READ selectedSize NOTIFY categoriesChanged)
    Q_PROPERTY(QString selectedSizeFormatted READ selectedSizeFormatted NOTIFY categoriesChanged)
    Q_PROPERTY(QString totalFoundFormatted READ totalFoundFormatted NOTIFY totalFoundChanged)
    Q_PROPERTY(QString totalCleanedFormatted READ totalCleanedFormatted NOTIFY totalCleanedChanged)
    Q_PROPERTY(bool selectedContainsDerivedData READ selectedContainsDerivedData NOTIFY categoriesChanged)
    // Raw values of the categories with a selected item, in list order.
    Q_PROPERTY(QStringList selectedCategories READ selectedCategoryIds NOTIFY categoriesChanged)
    Q_PROPERTY(int remainingJunkCount READ remainingJunkCount NOTIFY categoriesChanged)

public:
    using JunkCleanReport = velk::cleaning::JunkCleanReport;

    explicit SystemJunkViewModel(QObject* parent = nullptr);
    ~SystemJunkViewModel() override;

    const std::vector<ScanCategory>& categories() const { return m_categories; }
    ScanCategoryListModel* categoryModel() { return &m_categoryModel; }
    bool isScanning() const { return m_isScanning; }
    bool isCleaning() const { return m_isCleaning; }
    std::int64_t totalFound() const { return m_totalFound; }
    std::int64_t totalCleaned() const { return m_totalCleaned; }
    bool scanComplete() const { return m_scanComplete; }
    std::optional<ScanCategoryID> scanningCategory() const { return m_scanningCategory; }
    const std::optional<QString>& errorMessage() const { return m_errorMessage; }
    // The items the last clean left, and why; kept as long as errorMessage.
    const QList<RemovalFailure>& failures() const { return m_failures; }
    const std::optional<JunkCleanReport>& cleanReport() const { return m_cleanReport; }

    std::int64_t selectedSize() const;
    QString selectedSizeFormatted() const;
    QString totalFoundFormatted() const;
    QString totalCleanedFormatted() const;
    bool selectedContainsDerivedData() const;
    std::vector<ScanCategory> selectedCategories() const;
    int remainingJunkCount() const;

    // Starts a new scan of every category, cancelling a running one.
    Q_INVOKABLE void startScan(bool autoCleanWhenDone = false);
    // Cancels the running scan; what is already found stays.
    Q_INVOKABLE void stopScan();
    // Removes the selected items permanently. Only after a complete scan and
    // while neither a scan nor a clean runs.
    Q_INVOKABLE void clean();
    // The user's own choice: every item of every category.
    Q_INVOKABLE void setAllSelected(bool selected);
    // Selects everything found for a deep clean, except the categories that
    // need the user's own confirmation.
    Q_INVOKABLE void prepareDeepCleanSelection();
    // Selects or clears every item of one category (by raw value).
    Q_INVOKABLE void toggleSelectAll(const QString& categoryId, bool selected);
    void toggleSelectAll(ScanCategoryID id, bool selected);
    // The user's choice for one item of a category.
    void setItemSelected(ScanCategoryID id, const QUuid& itemId, bool selected);
    // The screens dismiss the alerts that show these.
    Q_INVOKABLE void clearErrorMessage();
    Q_INVOKABLE void clearCleanReport();

signals:
    void categoriesChanged();
    void isScanningChanged();
    void isCleaningChanged();
    void totalFoundChanged();
    void totalCleanedChanged();
    void scanCompleteChanged();
    void scanningCategoryChanged();
    void errorMessageChanged();
    void cleanReportChanged();

private:
    // One scan: its cancellation flag, which also tells it from any other
    // scan, and its own scanner.
    struct ScanRun {
        platform::core::CancelToken cancel;
        std::shared_ptr<const SystemJunkScanner> scanner;
    };

    void scanCategory(const ScanRun& run, std::size_t index);
    void categoryScanned(const ScanRun& run, std::size_t index, std::vector<FileItem> items);
    void finishScan(const ScanRun& run);
    bool isCurrent(const ScanRun& run) const;
    // What one clean did, and the categories it scanned again afterwards.
    struct CleanOutcome {
        JunkItemRemover::Result result;
        int attemptedCount = 0;
        std::vector<std::pair<ScanCategoryID, std::vector<FileItem>>> remeasured;
    };
    void finishClean(const CleanOutcome& outcome);
    // A category's list becomes `items` as a scan found them: an entry it
    // already listed keeps its selection, a new one is selected unless the
    // category needs the user's confirmation.
    void adoptScannedItems(ScanCategory& category, std::vector<FileItem> items);
    // Selects every item that may be selected without asking the user.
    void selectAutomatically();
    int rowOf(ScanCategoryID id) const;

    void publishCategory(int row);
    void publishCategories();
    void setIsScanning(bool value);
    void setIsCleaning(bool value);
    void setTotalFound(std::int64_t value);
    void setTotalCleaned(std::int64_t value);
    void setScanComplete(bool value);
    void setScanningCategory(std::optional<ScanCategoryID> value);
    void setErrorMessage(std::optional<QString> value);
    void recomputeTotalFound();

    QString scanningCategoryId() const;
    QVariant errorMessageValue() const;
    QVariant cleanReportValue() const;
    QStringList selectedCategoryIds() const;

    std::vector<ScanCategory> m_categories;
    ScanCategoryListModel m_categoryModel;
    bool m_isScanning = false;
    bool m_isCleaning = false;
    std::int64_t m_totalFound = 0;
    std::int64_t m_totalCleaned = 0;
    bool m_scanComplete = false;
    std::optional<ScanCategoryID> m_scanningCategory;
    std::optional<QString> m_errorMessage;
    QList<RemovalFailure> m_failures;
    std::optional<JunkCleanReport> m_cleanReport;

    bool m_autoCleanAfterScan = false;
    SystemJunkScanner m_scanner;
    platform::core::CancelToken m_scanTask;  // the running scan's flag; none while no scan runs
};

} // namespace velk::cleaning
