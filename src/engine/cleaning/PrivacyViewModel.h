#pragma once

#include "engine/cleaning/PrivacyItem.h"
#include "engine/cleaning/PrivacyListModel.h"

#include <QObject>

namespace velk::cleaning {

// Drives the privacy cleaner: scans the seven targets in the background,
// keeps the user's selection, moves the files of the selected targets to the
// Trash and scans again. Main-thread object owned by the Privacy screen.
class PrivacyViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QAbstractListModel* items READ itemModel CONSTANT)
    Q_PROPERTY(bool isScanning READ isScanning NOTIFY isScanningChanged)
    Q_PROPERTY(bool isCleaning READ isCleaning NOTIFY isCleaningChanged)
    Q_PROPERTY(bool hasScanned READ hasScanned NOTIFY hasScannedChanged)
    // Files the last clean could not move to the Trash; the screen sets 0
    // once it has shown them.
    Q_PROPERTY(int failureCount READ failureCount WRITE setFailureCount NOTIFY failureCountChanged)
    Q_PROPERTY(qint64 totalFoundSize READ totalFoundSize NOTIFY summaryChanged)
    Q_PROPERTY(QString totalFoundSizeFormatted READ totalFoundSizeFormatted NOTIFY summaryChanged)
    Q_PROPERTY(bool canClean READ canClean NOTIFY summaryChanged)
    Q_PROPERTY(qint64 selectedSize READ selectedSize NOTIFY summaryChanged)
    Q_PROPERTY(QString selectedSizeFormatted READ selectedSizeFormatted NOTIFY summaryChanged)
    Q_PROPERTY(bool hasSelection READ hasSelection NOTIFY summaryChanged)

public:
    explicit PrivacyViewModel(QObject* parent = nullptr);

    const QList<PrivacyItem>& items() const { return m_items; }
    QAbstractListModel* itemModel() { return &m_model; }
    bool isScanning() const { return m_isScanning; }
    bool isCleaning() const { return m_isCleaning; }
    bool hasScanned() const { return m_hasScanned; }
    int failureCount() const { return m_failureCount; }
    void setFailureCount(int count);

    qint64 totalFoundSize() const;
    QString totalFoundSizeFormatted() const;
    QList<PrivacyItem> cleanableItems() const;
    bool canClean() const;
    qint64 selectedSize() const;
    QString selectedSizeFormatted() const;
    bool hasSelection() const;

    // Scans every target again; refused while a scan or a clean runs.
    Q_INVOKABLE void scan();
    // Selects every scanned target with files except the mail downloads, or
    // clears every selection.
    Q_INVOKABLE void setAllSelected(bool selected);
    // The user's choice on one row.
    Q_INVOKABLE void setSelected(int row, bool selected);
    // Moves the files of the cleanable targets to the Trash, then scans.
    Q_INVOKABLE void clean();

signals:
    void isScanningChanged();
    void isCleaningChanged();
    void hasScannedChanged();
    void failureCountChanged();
    void summaryChanged();

private:
    void finishScan(QList<PrivacyItem> scanned);
    void finishClean(int failures);
    void setIsScanning(bool value);
    void setIsCleaning(bool value);
    void setHasScanned(bool value);

    QList<PrivacyItem> m_items;
    PrivacyListModel m_model;
    bool m_isScanning = false;
    bool m_isCleaning = false;
    bool m_hasScanned = false;
    int m_failureCount = 0;
};

} // namespace velk::cleaning
