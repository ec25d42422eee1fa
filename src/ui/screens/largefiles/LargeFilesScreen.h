#pragma once

#include "engine/cleaning/FileItem.h"
#include "engine/cleaning/LargeFilesViewModel.h"
#include "ui/models/RemovalWords.h"

#include <QObject>
#include <QPointer>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <optional>

namespace velk::screens {

// The Large Files screen's own state over its view model: the byte sums the
// header and the confirmation show, the delete flow (a fresh open-file check
// on every press, then the confirmation of that mode, then the deletion),
// the item whose dependencies are being inspected, and the look of a row's
// kind and size. Texts come in both languages; the view picks one.
class LargeFilesScreen : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velk::cleaning::LargeFilesViewModel* viewModel READ viewModel WRITE setViewModel NOTIFY viewModelChanged)
    // Bytes of the items the search lets through, and of the selected ones.
    Q_PROPERTY(double filteredSize READ filteredSize NOTIFY figuresChanged)
    Q_PROPERTY(double selectedSize READ selectedSize NOTIFY figuresChanged)
    // How many files the last scan left in the list, whatever the filter.
    Q_PROPERTY(int itemCount READ itemCount NOTIFY figuresChanged)
    // The running scan's counts, as numbers QML can format.
    Q_PROPERTY(double scanMatched READ scanMatched NOTIFY scanFiguresChanged)
    Q_PROPERTY(double scanProgress READ scanProgress NOTIFY scanFiguresChanged)
    // The mode whose open-file check runs, and the mode being confirmed.
    Q_PROPERTY(DeleteMode checkingDelete READ checkingDelete NOTIFY deleteFlowChanged)
    Q_PROPERTY(DeleteMode confirmDelete READ confirmDelete NOTIFY deleteFlowChanged)
    // The button that shows a spinner: the one whose check runs, or the one
    // whose deletion runs.
    Q_PROPERTY(DeleteMode busyDelete READ busyDelete NOTIFY deleteFlowChanged)
    Q_PROPERTY(QString deleteTitle READ deleteTitle NOTIFY deleteTextsChanged)
    Q_PROPERTY(QString deleteTitleEnglish READ deleteTitleEnglish NOTIFY deleteTextsChanged)
    Q_PROPERTY(QString deleteMessage READ deleteMessage NOTIFY deleteTextsChanged)
    Q_PROPERTY(QString deleteMessageEnglish READ deleteMessageEnglish NOTIFY deleteTextsChanged)
    // The item whose dependency report is asked for: id, path, name, size
    // and isDirectory; empty while none is.
    Q_PROPERTY(QVariantMap inspecting READ inspectingValue NOTIFY inspectingChanged)
    // The files the last deletion left, in list order: a line each with why
    // it stayed (removalwords::failureLines).
    Q_PROPERTY(QString failureLines READ failureLines NOTIFY failedPathsChanged)
    Q_PROPERTY(QString failureLinesEnglish READ failureLinesEnglish NOTIFY failedPathsChanged)

public:
    enum DeleteMode { NoDelete, Trash, Permanent };
    Q_ENUM(DeleteMode)

    explicit LargeFilesScreen(QObject* parent = nullptr);

    cleaning::LargeFilesViewModel* viewModel() const { return m_viewModel; }
    void setViewModel(cleaning::LargeFilesViewModel* viewModel);

    double filteredSize() const;
    double selectedSize() const;
    int itemCount() const { return m_viewModel ? static_cast<int>(m_viewModel->items().size()) : 0; }
    double scanMatched() const { return m_viewModel ? static_cast<double>(m_viewModel->scanMatched()) : 0.0; }
    double scanProgress() const { return m_viewModel ? static_cast<double>(m_viewModel->scanProgress()) : 0.0; }
    DeleteMode checkingDelete() const { return m_checking; }
    DeleteMode confirmDelete() const { return m_confirm; }
    DeleteMode busyDelete() const;
    QString deleteTitle() const { return deleteText(false, true); }
    QString deleteTitleEnglish() const { return deleteText(true, true); }
    QString deleteMessage() const { return deleteText(false, false); }
    QString deleteMessageEnglish() const { return deleteText(true, false); }
    const std::optional<cleaning::FileItem>& inspectedItem() const { return m_inspecting; }
    QString failureLines() const { return failureText().zh; }
    QString failureLinesEnglish() const { return failureText().en; }
    models::WordPair failureText() const
    {
        return m_viewModel ? models::removalwords::failureLines(m_viewModel->failures()) : models::WordPair{};
    }

    // Checks afresh who holds the selection open, then asks to confirm
    // `mode`. Nothing while a check or a deletion runs.
    Q_INVOKABLE void prepareDelete(velk::screens::LargeFilesScreen::DeleteMode mode);
    // The confirmation's destructive button: deletes in the confirmed mode.
    Q_INVOKABLE void confirmDeletion();
    // The confirmation closed without deleting.
    Q_INVOKABLE void cancelDeletion();

    Q_INVOKABLE void inspect(const QString& id);
    Q_INVOKABLE void clearInspecting();

    // A row's kind symbol and its colour role, and the colour role of its size.
    Q_INVOKABLE QString kindSymbol(const QString& path, bool isDirectory) const;
    Q_INVOKABLE QString kindTone(const QString& path, bool isDirectory) const;
    Q_INVOKABLE QString sizeTone(double bytes) const;

signals:
    void viewModelChanged();
    void figuresChanged();
    void scanFiguresChanged();
    void deleteFlowChanged();
    void deleteTextsChanged();
    void inspectingChanged();
    void failedPathsChanged();

private:
    void inUseCheckFinished();
    void setFlow(DeleteMode checking, DeleteMode confirm);
    QString deleteText(bool english, bool title) const;
    QVariantMap inspectingValue() const;

    QPointer<cleaning::LargeFilesViewModel> m_viewModel;
    DeleteMode m_checking = NoDelete;
    DeleteMode m_confirm = NoDelete;
    DeleteMode m_deleting = NoDelete;
    // The mode the confirmation texts speak of; kept while it fades out.
    DeleteMode m_textMode = Trash;
    std::optional<cleaning::FileItem> m_inspecting;
};

} // namespace velk::screens
