#pragma once

#include "engine/cleaning/SystemJunkViewModel.h"
#include "ui/models/RemovalWords.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

namespace velk::screens {

class JunkGroupListModel;

// The System Junk screen's own state over the window's shared junk view
// model: which groups of the list are open, the scan progress line, the
// texts of the clean confirmation and of the result alert, and the deep-clean
// entry. Texts come in both languages; the view picks one.
class SystemJunkScreen : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velk::cleaning::SystemJunkViewModel* viewModel READ viewModel WRITE setViewModel NOTIFY viewModelChanged)
    Q_PROPERTY(velk::screens::JunkGroupListModel* groups READ groups NOTIFY viewModelChanged)
    // Case names of the open groups; all four at first and after every
    // completed scan.
    Q_PROPERTY(QStringList expandedGroups READ expandedGroups NOTIFY expandedGroupsChanged)
    // The view model's byte figures as numbers QML can compare and format.
    Q_PROPERTY(double selectedSize READ selectedSize NOTIFY categoriesChanged)
    Q_PROPERTY(double totalFound READ totalFound NOTIFY totalFoundChanged)
    Q_PROPERTY(double totalCleaned READ totalCleaned NOTIFY totalCleanedChanged)
    Q_PROPERTY(int doneCount READ doneCount NOTIFY categoriesChanged)
    Q_PROPERTY(int categoryCount READ categoryCount NOTIFY categoriesChanged)
    // "已扫描 D / N 类" / "Scanned D / N".
    Q_PROPERTY(QString progressText READ progressText NOTIFY categoriesChanged)
    Q_PROPERTY(QString progressTextEnglish READ progressTextEnglish NOTIFY categoriesChanged)
    // Title pair of the category being scanned; empty while none is.
    Q_PROPERTY(QString scanningTitle READ scanningTitle NOTIFY scanningCategoryChanged)
    Q_PROPERTY(QString scanningTitleEnglish READ scanningTitleEnglish NOTIFY scanningCategoryChanged)
    // Titles of the selected categories that hold what the user may want to
    // keep (Trash, Downloads, ...), joined; empty when none is selected.
    Q_PROPERTY(QString confirmationCategories READ confirmationCategories NOTIFY categoriesChanged)
    Q_PROPERTY(QString confirmationCategoriesEnglish READ confirmationCategoriesEnglish NOTIFY categoriesChanged)
    // The result alert's texts for the view model's report; empty without one.
    Q_PROPERTY(QString reportTitle READ reportTitle NOTIFY reportChanged)
    Q_PROPERTY(QString reportTitleEnglish READ reportTitleEnglish NOTIFY reportChanged)
    Q_PROPERTY(QString reportMessage READ reportMessage NOTIFY reportChanged)
    Q_PROPERTY(QString reportMessageEnglish READ reportMessageEnglish NOTIFY reportChanged)
    // The items the last clean left: a line each with why it stayed
    // (removalwords::failureLines); empty once the failure is cleared.
    Q_PROPERTY(QString failureLines READ failureLines NOTIFY failuresChanged)
    Q_PROPERTY(QString failureLinesEnglish READ failureLinesEnglish NOTIFY failuresChanged)

public:
    explicit SystemJunkScreen(QObject* parent = nullptr);
    ~SystemJunkScreen() override;

    cleaning::SystemJunkViewModel* viewModel() const { return m_viewModel; }
    void setViewModel(cleaning::SystemJunkViewModel* viewModel);
    JunkGroupListModel* groups() const { return m_groups; }

    QStringList expandedGroups() const { return m_expanded; }
    double selectedSize() const;
    double totalFound() const;
    double totalCleaned() const;
    int doneCount() const;
    int categoryCount() const;
    QString progressText() const;
    QString progressTextEnglish() const;
    QString scanningTitle() const { return scanningTitleIn(false); }
    QString scanningTitleEnglish() const { return scanningTitleIn(true); }
    QString confirmationCategories() const { return confirmationTitles(false); }
    QString confirmationCategoriesEnglish() const { return confirmationTitles(true); }
    QString reportTitle() const { return reportText(false, true); }
    QString reportTitleEnglish() const { return reportText(true, true); }
    QString reportMessage() const { return reportText(false, false); }
    QString reportMessageEnglish() const { return reportText(true, false); }
    QString failureLines() const { return failureText().zh; }
    QString failureLinesEnglish() const { return failureText().en; }
    models::WordPair failureText() const
    {
        return m_viewModel ? models::removalwords::failureLines(m_viewModel->failures()) : models::WordPair{};
    }

    // Opens a closed group and closes an open one.
    Q_INVOKABLE void toggleGroupExpanded(const QString& key);
    // The screen entered the window: with the deep-clean request set, the
    // found junk is selected, or a scan starts when none has completed.
    Q_INVOKABLE void appear(bool deepCleanEntry);
    // The deep-clean request changed after the screen appeared.
    Q_INVOKABLE void deepCleanEntryChanged(bool deepCleanEntry);

signals:
    void viewModelChanged();
    void expandedGroupsChanged();
    void categoriesChanged();
    void reportChanged();
    void failuresChanged();
    void scanningCategoryChanged();
    void totalFoundChanged();
    void totalCleanedChanged();

private:
    void expandAll();
    QString scanningTitleIn(bool english) const;
    QString confirmationTitles(bool english) const;
    QString reportText(bool english, bool title) const;

    QPointer<cleaning::SystemJunkViewModel> m_viewModel;
    JunkGroupListModel* m_groups = nullptr;
    QStringList m_expanded;
    bool m_appeared = false;
};

} // namespace velk::screens
