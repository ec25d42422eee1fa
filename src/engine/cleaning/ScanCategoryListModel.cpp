#include "engine/cleaning/ScanCategoryListModel.h"

#include "platform/locations/LocationPaths.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"

#include <iterator>

namespace velk::cleaning {
namespace {

QString stateName(ScanState::Kind kind)
{
    switch (kind) {
    case ScanState::Kind::error: return QStringLiteral("error");
    case ScanState::Kind::idle: return QStringLiteral("idle");
    case ScanState::Kind::scanning: return QStringLiteral("scanning");
    case ScanState::Kind::done: return QStringLiteral("done");
    }
    return {};
}

// Where `location` ("~/Library/Caches") is on this machine, with the home
// written "~" again.
QString shownLocation(const QString& location, const platform::locations::Locations& locations)
{
    const QString path = locations.resolve(location);
    const QString home = locations.home();
    if (platform::locations::locationpaths::isAtOrBelow(path, home))
        return u'~' + platform::locations::locationpaths::remainder(path, home);
    return path;
}

// Role names in the order of the roles.
constexpr const char* roleNameTable[] = {
    "id", "title", "englishTitle", "subtitle", "englishSubtitle", "icon", "group",
    "requiresConfirmation", "colorRole", "scanState", "errorText", "isScanning", "isDone",
    "isSelected", "totalSize", "selectedSize", "formattedTotalSize", "itemCount",
};
static_assert(std::size(roleNameTable) == ScanCategoryListModel::ItemCountRole - ScanCategoryListModel::IdRole + 1);

} // namespace

ScanCategoryListModel::ScanCategoryListModel(const std::vector<ScanCategory>& categories, QObject* parent)
    : ListModel(QList<QByteArray>(std::begin(roleNameTable), std::end(roleNameTable)), parent)
    , m_categories(categories)
{
    const auto locations = platform::core::service<platform::locations::Locations>();
    for (ScanCategoryID id : allScanCategoryIDs) {
        if (id != ScanCategoryID::languageFiles)
            m_folders[static_cast<std::size_t>(id)] = shownLocation(subtitle(id), *locations);
    }
}

QString ScanCategoryListModel::shownSubtitle(ScanCategoryID id, bool english) const
{
    if (id == ScanCategoryID::languageFiles)
        return english ? englishSubtitle(id) : subtitle(id);
    return m_folders[static_cast<std::size_t>(id)];
}

int ScanCategoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_categories.size());
}

QVariant ScanCategoryListModel::column(int row, int column) const
{
    const ScanCategory& category = m_categories[static_cast<std::size_t>(row)];
    switch (column + firstRole) {
    case IdRole: return rawValue(category.id);
    case TitleRole: return title(category.id);
    case EnglishTitleRole: return englishTitle(category.id);
    case SubtitleRole: return shownSubtitle(category.id, false);
    case EnglishSubtitleRole: return shownSubtitle(category.id, true);
    case IconRole: return icon(category.id);
    case GroupRole: return rawValue(group(category.id));
    case RequiresConfirmationRole: return requiresConfirmation(category.id);
    case ColorNameRole: return colorRoleName(color(category.id));
    case ScanStateRole: return stateName(category.scanState.kind());
    case ErrorTextRole: return category.scanState.errorMessage();
    case IsScanningRole: return category.isScanning();
    case IsDoneRole: return category.isDone();
    case IsSelectedRole: return category.isSelected();
    case TotalSizeRole: return qint64(category.totalSize());
    case SelectedSizeRole: return qint64(category.selectedSize());
    case FormattedTotalSizeRole: return category.formattedTotalSize();
    case ItemCountRole: return static_cast<int>(category.items.size());
    default: return {};
    }
}

int ScanCategoryListModel::indexOf(const QString& id) const
{
    for (std::size_t row = 0; row < m_categories.size(); ++row) {
        if (rawValue(m_categories[row].id) == id)
            return static_cast<int>(row);
    }
    return -1;
}

void ScanCategoryListModel::rowChanged(int row)
{
    announceChanged(row, row);
}

void ScanCategoryListModel::allRowsChanged()
{
    announceChanged(0, rowCount() - 1);
}

} // namespace velk::cleaning
