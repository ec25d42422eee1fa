#include "engine/inspection/StartupItemListModel.h"

namespace velk {
namespace {

QVariant optionalText(const std::optional<QString>& text)
{
    return text ? QVariant(*text) : QVariant();
}

} // namespace

QVariant StartupItemListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    const StartupItem& item = rows()[index.row()];
    switch (role) {
    case IdRole:
        return item.id;
    case LabelRole:
        return item.label;
    case DisplayNameRole:
        return item.displayName;
    case PlistPathRole:
        return item.plistPath;
    case ProgramPathRole:
        return optionalText(item.programPath);
    case AppBundlePathRole:
        return optionalText(item.appBundlePath);
    case ScopeRole:
        return rawValue(item.scope);
    case IsEnabledRole:
        return item.isEnabled;
    case IsLoadedRole:
        return item.isLoaded;
    case RunAtLoadRole:
        return item.runAtLoad;
    case KeepAliveRole:
        return item.keepAlive;
    case StatusKnownRole:
        return item.statusKnown;
    case UrlRole:
        return item.url();
    case IsSelectedRole:
        return m_selection.contains(item.id);
    default:
        return {};
    }
}

QHash<int, QByteArray> StartupItemListModel::roleNames() const
{
    return {
        {IdRole, "id"},
        {LabelRole, "label"},
        {DisplayNameRole, "displayName"},
        {PlistPathRole, "plistPath"},
        {ProgramPathRole, "programPath"},
        {AppBundlePathRole, "appBundlePath"},
        {ScopeRole, "scope"},
        {IsEnabledRole, "isEnabled"},
        {IsLoadedRole, "isLoaded"},
        {RunAtLoadRole, "runAtLoad"},
        {KeepAliveRole, "keepAlive"},
        {StatusKnownRole, "statusKnown"},
        {UrlRole, "url"},
        {IsSelectedRole, "isSelected"},
    };
}

void StartupItemListModel::setSelection(const QSet<QString>& ids)
{
    const QSet<QString> previous = std::exchange(m_selection, ids);
    for (int row = 0; row < rowCount(); ++row) {
        const QString& id = rows()[row].id;
        if (previous.contains(id) != m_selection.contains(id))
            emit dataChanged(index(row), index(row), {IsSelectedRole});
    }
}

} // namespace velk
