#include "engine/inspection/StartupViewModel.h"

#include "platform/core/Executor.h"
#include "platform/core/ServiceRegistry.h"

#include <QPointer>
#include <algorithm>

namespace velk::inspection {
namespace {

bool containsIgnoringCase(const QString& text, const QString& lowered)
{
    return text.toLower().contains(lowered);
}

} // namespace

StartupViewModel::StartupViewModel(QObject* parent)
    : QObject(parent)
    , m_itemModel(this)
    , m_filteredModel(this)
{
}

// ---- Derived values -----------------------------------------------------------

bool StartupViewModel::passesFilters(const StartupItem& item) const
{
    if (m_selectedScope && *m_selectedScope != item.scope)
        return false;
    if (m_onlyEnabled && !item.isEnabled)
        return false;
    if (m_searchText.isEmpty())
        return true;
    const QString wanted = m_searchText.toLower();
    return containsIgnoringCase(item.displayName, wanted) || containsIgnoringCase(item.label, wanted)
        || (item.programPath && containsIgnoringCase(*item.programPath, wanted));
}

QList<StartupItem> StartupViewModel::filteredItems() const
{
    QList<StartupItem> shown;
    for (const StartupItem& item : m_items) {
        if (passesFilters(item))
            shown.append(item);
    }
    return shown;
}

QList<StartupItem> StartupViewModel::selectedItems() const
{
    QList<StartupItem> chosen;
    for (const StartupItem& item : m_items) {
        if (m_selectedIDs.contains(item.id))
            chosen.append(item);
    }
    return chosen;
}

int StartupViewModel::enabledCount() const
{
    return static_cast<int>(std::count_if(m_items.begin(), m_items.end(), [](const StartupItem& i) { return i.isEnabled; }));
}

int StartupViewModel::loadedCount() const
{
    return static_cast<int>(std::count_if(m_items.begin(), m_items.end(), [](const StartupItem& i) { return i.isLoaded; }));
}

QVariantList StartupViewModel::scopeCounts() const
{
    QVariantList counts;
    for (const StartupScope scope : allStartupScopes) {
        counts.append(static_cast<int>(
            std::count_if(m_items.begin(), m_items.end(), [scope](const StartupItem& i) { return i.scope == scope; })));
    }
    return counts;
}

bool StartupViewModel::allFilteredSelected() const
{
    return m_allFilteredSelected;
}

const StartupItem* StartupViewModel::find(const QString& id) const
{
    const auto it = std::find_if(m_items.begin(), m_items.end(), [&id](const StartupItem& i) { return i.id == id; });
    return it == m_items.end() ? nullptr : &*it;
}

QList<StartupItem> StartupViewModel::itemsWithIds(const QStringList& ids) const
{
    QList<StartupItem> found;
    for (const QString& id : ids) {
        if (const StartupItem* item = find(id))
            found.append(*item);
    }
    return found;
}

// ---- Published state ------------------------------------------------------------

void StartupViewModel::setItems(QList<StartupItem> items)
{
    m_items = std::move(items);
    m_itemModel.update(m_items);
    emit itemsChanged();
    refilter();
}

void StartupViewModel::setSelectedIDs(QSet<QString> ids)
{
    if (ids == m_selectedIDs)
        return;
    m_selectedIDs = std::move(ids);
    m_itemModel.setSelection(m_selectedIDs);
    m_filteredModel.setSelection(m_selectedIDs);
    emit selectedIDsChanged();
    refilter();
}

// Brings the filtered list and the select-all state up to date.
void StartupViewModel::refilter()
{
    const QList<StartupItem> shown = filteredItems();
    m_filteredModel.update(shown);
    const bool all = !m_selectedIDs.isEmpty() && !shown.isEmpty()
        && std::all_of(shown.begin(), shown.end(), [this](const StartupItem& i) { return m_selectedIDs.contains(i.id); });
    if (all != m_allFilteredSelected) {
        m_allFilteredSelected = all;
        emit allFilteredSelectedChanged();
    }
}

void StartupViewModel::setSearchText(const QString& text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    emit searchTextChanged();
    refilter();
}

void StartupViewModel::setSelectedScope(std::optional<StartupScope> scope)
{
    if (scope == m_selectedScope)
        return;
    m_selectedScope = scope;
    emit selectedScopeChanged();
    refilter();
}

QString StartupViewModel::selectedScopeRaw() const
{
    return m_selectedScope ? rawValue(*m_selectedScope) : QString();
}

void StartupViewModel::setSelectedScopeRaw(const QString& raw)
{
    setSelectedScope(startupScopeFromRawValue(raw));
}

void StartupViewModel::setOnlyEnabled(bool value)
{
    if (value == m_onlyEnabled)
        return;
    m_onlyEnabled = value;
    emit onlyEnabledChanged();
    refilter();
}

void StartupViewModel::setOperationFailed(bool value)
{
    if (value == m_operationFailed)
        return;
    m_operationFailed = value;
    emit operationFailedChanged();
}

void StartupViewModel::setIsLoading(bool value)
{
    if (value == m_isLoading)
        return;
    m_isLoading = value;
    emit isLoadingChanged();
}

void StartupViewModel::setIsApplyingBatch(bool value)
{
    if (value == m_isApplyingBatch)
        return;
    m_isApplyingBatch = value;
    emit isApplyingBatchChanged();
}

QStringList StartupViewModel::selectedIdList() const
{
    QStringList ids(m_selectedIDs.begin(), m_selectedIDs.end());
    ids.sort();
    return ids;
}

// ---- Selection ------------------------------------------------------------------

void StartupViewModel::toggleSelect(const StartupItem& item)
{
    toggleSelect(item.id);
}

void StartupViewModel::toggleSelect(const QString& id)
{
    QSet<QString> ids = m_selectedIDs;
    if (!ids.remove(id))
        ids.insert(id);
    setSelectedIDs(std::move(ids));
}

void StartupViewModel::setSelectAllFiltered(bool selected)
{
    QSet<QString> ids = m_selectedIDs;
    for (const StartupItem& item : filteredItems()) {
        if (selected)
            ids.insert(item.id);
        else
            ids.remove(item.id);
    }
    setSelectedIDs(std::move(ids));
}

// ---- Background work --------------------------------------------------------------

void StartupViewModel::load()
{
    setIsLoading(true);
    const QPointer<StartupViewModel> self(this);
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::UserInitiated, [self, executor, service = m_service] {
        QList<StartupItem> found = service.discoverItems();
        executor->toMain(self, [self, found = std::move(found)]() mutable {
            QSet<QString> kept;
            for (const StartupItem& item : found) {
                if (self->m_selectedIDs.contains(item.id))
                    kept.insert(item.id);
            }
            self->setItems(std::move(found));
            self->setSelectedIDs(std::move(kept));
            self->setIsLoading(false);
        });
    });
}

void StartupViewModel::toggleEnabled(const StartupItem& item)
{
    if (m_isApplyingBatch || !item.statusKnown)
        return;
    applyEnabled(!item.isEnabled, QList<StartupItem>{item});
}

void StartupViewModel::toggleEnabled(const QString& id)
{
    if (const StartupItem* item = find(id))
        toggleEnabled(*item);
}

void StartupViewModel::batchSetEnabled(bool enable)
{
    if (m_isApplyingBatch)
        return;
    applyEnabled(enable, selectedItems());
}

bool StartupViewModel::confirmed(bool enable, const QList<StartupItem>& targets, const QList<StartupItem>& found)
{
    return std::all_of(targets.begin(), targets.end(), [&](const StartupItem& target) {
        return std::any_of(found.begin(), found.end(), [&](const StartupItem& now) {
            return now.id == target.id && now.statusKnown && now.isEnabled == enable;
        });
    });
}

void StartupViewModel::applyEnabled(bool enable, const QList<StartupItem>& targets)
{
    if (targets.isEmpty())
        return;
    setIsApplyingBatch(true);
    const QPointer<StartupViewModel> self(this);
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::UserInitiated, [self, executor, service = m_service, enable, targets] {
        const bool succeeded = service.batchSetEnabled(enable, targets);
        QList<StartupItem> found = service.discoverItems();
        const bool failed = !succeeded || !confirmed(enable, targets, found);
        executor->toMain(self, [self, found = std::move(found), failed]() mutable {
            self->setItems(std::move(found));
            self->setIsApplyingBatch(false);
            self->setOperationFailed(failed);
        });
    });
}

void StartupViewModel::applyEnabled(bool enable, const QStringList& ids)
{
    applyEnabled(enable, itemsWithIds(ids));
}

void StartupViewModel::remove(const StartupItem& item)
{
    const QPointer<StartupViewModel> self(this);
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::UserInitiated, [self, executor, service = m_service, item] {
        if (!service.remove(item))
            return;
        executor->toMain(self, [self, id = item.id] {
            QList<StartupItem> left = self->m_items;
            left.removeIf([&id](const StartupItem& i) { return i.id == id; });
            self->setItems(std::move(left));
            QSet<QString> ids = self->m_selectedIDs;
            ids.remove(id);
            self->setSelectedIDs(std::move(ids));
        });
    });
}

void StartupViewModel::remove(const QString& id)
{
    if (const StartupItem* item = find(id))
        remove(*item);
}

void StartupViewModel::batchRemove()
{
    const QList<StartupItem> targets = selectedItems();
    if (targets.isEmpty())
        return;
    setIsApplyingBatch(true);
    QSet<QString> noted;
    for (const StartupItem& item : targets)
        noted.insert(item.id);
    const QPointer<StartupViewModel> self(this);
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::UserInitiated, [self, executor, service = m_service, targets, noted] {
        const bool succeeded = service.batchRemove(targets);
        executor->toMain(self, [self, succeeded, noted] {
            self->setIsApplyingBatch(false);
            if (!succeeded)
                return;
            QList<StartupItem> left = self->m_items;
            left.removeIf([&noted](const StartupItem& i) { return noted.contains(i.id); });
            self->setItems(std::move(left));
            self->setSelectedIDs(self->m_selectedIDs - noted);
        });
    });
}

} // namespace velk::inspection
