#include "engine/inspection/StartupItemListModel.h"

#include <iterator>

namespace velk::inspection {
namespace {

QVariant optionalText(const std::optional<QString>& text)
{
    return text ? QVariant(*text) : QVariant();
}

// Role names in the order of the roles.
constexpr const char* roleNameTable[] = {
    "id", "label", "displayName", "plistPath", "programPath", "appBundlePath", "scope",
    "isEnabled", "isLoaded", "runAtLoad", "keepAlive", "statusKnown", "url", "isSelected",
};
static_assert(std::size(roleNameTable) == StartupItemListModel::IsSelectedRole - StartupItemListModel::IdRole + 1);

} // namespace

StartupItemListModel::StartupItemListModel(QObject* parent)
    : KeyedListModel(QList<QByteArray>(std::begin(roleNameTable), std::end(roleNameTable)), parent)
{
}

QVariant StartupItemListModel::value(const StartupItem& item, int column) const
{
    switch (column + firstRole) {
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

void StartupItemListModel::setSelection(const QSet<QString>& ids)
{
    const QSet<QString> previous = std::exchange(m_selection, ids);
    for (int row = 0; row < rowCount(); ++row) {
        const QString& id = rows()[row].id;
        if (previous.contains(id) != m_selection.contains(id))
            emit dataChanged(index(row), index(row), {IsSelectedRole});
    }
}

} // namespace velk::inspection
