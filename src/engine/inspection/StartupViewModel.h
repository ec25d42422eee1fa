#pragma once

#include "engine/inspection/StartupItemListModel.h"
#include "engine/inspection/StartupService.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace velk::inspection {

// State of the Startup Items screen: the discovered items, the screen's
// search text and filters, the selection, and whether a discovery or a
// change runs or the last change failed. Every service call runs in the
// background at user-initiated priority and is published on the main
// thread; a result for a view model that is gone is dropped. Main-thread
// object; the screen owns one for the life of its window.
class StartupViewModel : public QObject {
    Q_OBJECT
    // The items of the last discovery, in the service's order.
    Q_PROPERTY(velk::inspection::StartupItemListModel* items READ itemModel CONSTANT)
    // The items that pass the scope, enabled and search filters.
    Q_PROPERTY(velk::inspection::StartupItemListModel* filteredItems READ filteredModel CONSTANT)
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(bool isApplyingBatch READ isApplyingBatch NOTIFY isApplyingBatchChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    // A scope's raw value, or empty for every scope.
    Q_PROPERTY(QString selectedScope READ selectedScopeRaw WRITE setSelectedScopeRaw NOTIFY selectedScopeChanged)
    Q_PROPERTY(bool onlyEnabled READ onlyEnabled WRITE setOnlyEnabled NOTIFY onlyEnabledChanged)
    // The screen's alert shows while true and sets it back to false.
    Q_PROPERTY(bool operationFailed READ operationFailed WRITE setOperationFailed NOTIFY operationFailedChanged)
    Q_PROPERTY(QStringList selectedIDs READ selectedIdList NOTIFY selectedIDsChanged)
    Q_PROPERTY(int selectedCount READ selectedCount NOTIFY selectedIDsChanged)
    // Counts over all items, whatever the filters.
    Q_PROPERTY(int enabledCount READ enabledCount NOTIFY itemsChanged)
    Q_PROPERTY(int loadedCount READ loadedCount NOTIFY itemsChanged)
    // Items per scope, in the order of the scopes.
    Q_PROPERTY(QVariantList scopeCounts READ scopeCounts NOTIFY itemsChanged)
    // Every filtered item is selected (false when nothing is selected).
    Q_PROPERTY(bool allFilteredSelected READ allFilteredSelected NOTIFY allFilteredSelectedChanged)

public:
    explicit StartupViewModel(QObject* parent = nullptr);

    const QList<StartupItem>& items() const { return m_items; }
    QList<StartupItem> filteredItems() const;
    QList<StartupItem> selectedItems() const;
    StartupItemListModel* itemModel() { return &m_itemModel; }
    StartupItemListModel* filteredModel() { return &m_filteredModel; }
    bool isLoading() const { return m_isLoading; }
    bool isApplyingBatch() const { return m_isApplyingBatch; }
    QString searchText() const { return m_searchText; }
    std::optional<StartupScope> selectedScope() const { return m_selectedScope; }
    bool onlyEnabled() const { return m_onlyEnabled; }
    bool operationFailed() const { return m_operationFailed; }
    const QSet<QString>& selectedIDs() const { return m_selectedIDs; }
    int selectedCount() const { return static_cast<int>(m_selectedIDs.size()); }
    int enabledCount() const;
    int loadedCount() const;
    QVariantList scopeCounts() const;
    bool allFilteredSelected() const;

    void setSearchText(const QString& text);
    void setSelectedScope(std::optional<StartupScope> scope);
    void setOnlyEnabled(bool value);
    void setOperationFailed(bool value);

    // Discovers the items again. Overlapping loads each publish their own
    // result; the last to finish wins.
    Q_INVOKABLE void load();
    void toggleSelect(const StartupItem& item);
    Q_INVOKABLE void toggleSelect(const QString& id);
    // Selects (or clears) every filtered item; others keep their state.
    Q_INVOKABLE void setSelectAllFiltered(bool selected);
    // Flips one item, unless a change runs or its status is unknown.
    void toggleEnabled(const StartupItem& item);
    Q_INVOKABLE void toggleEnabled(const QString& id);
    // Sets the selected items, unless a change runs.
    Q_INVOKABLE void batchSetEnabled(bool enable);
    // Sets the targets, discovers again and checks that launchd now reports
    // what was asked for; operationFailed tells when it does not. The
    // screen's switches and batch buttons call it behind their own gates.
    void applyEnabled(bool enable, const QList<StartupItem>& targets);
    Q_INVOKABLE void applyEnabled(bool enable, const QStringList& ids);
    // Removes one item; only a success changes the list.
    void remove(const StartupItem& item);
    Q_INVOKABLE void remove(const QString& id);
    // Removes every selected item, also those the filters hide.
    Q_INVOKABLE void batchRemove();

signals:
    void itemsChanged();
    void isLoadingChanged();
    void isApplyingBatchChanged();
    void searchTextChanged();
    void selectedScopeChanged();
    void onlyEnabledChanged();
    void operationFailedChanged();
    void selectedIDsChanged();
    void allFilteredSelectedChanged();

private:
    // Whether every target reads back with a known status and the wanted state.
    static bool confirmed(bool enable, const QList<StartupItem>& targets, const QList<StartupItem>& found);
    bool passesFilters(const StartupItem& item) const;
    const StartupItem* find(const QString& id) const;
    QList<StartupItem> itemsWithIds(const QStringList& ids) const;

    void setItems(QList<StartupItem> items);
    void setSelectedIDs(QSet<QString> ids);
    void refilter();
    void setIsLoading(bool value);
    void setIsApplyingBatch(bool value);
    QString selectedScopeRaw() const;
    void setSelectedScopeRaw(const QString& raw);
    QStringList selectedIdList() const;

    StartupService m_service;
    QList<StartupItem> m_items;
    StartupItemListModel m_itemModel;
    StartupItemListModel m_filteredModel;
    bool m_isLoading = false;
    bool m_isApplyingBatch = false;
    QString m_searchText;
    std::optional<StartupScope> m_selectedScope;
    bool m_onlyEnabled = false;
    bool m_operationFailed = false;
    QSet<QString> m_selectedIDs;
    bool m_allFilteredSelected = false;
};

} // namespace velk::inspection
