#include "ui/screens/junk/JunkGroupListModel.h"

#include "engine/cleaning/SystemJunkViewModel.h"

#include <iterator>
#include <utility>

namespace velk::screens {
namespace {

constexpr const char* roleNameTable[] = {"key", "groupTitle", "groupEnglishTitle", "totalSize", "selectedSize", "rows", "expanded"};
static_assert(std::size(roleNameTable) == JunkGroupListModel::ExpandedRole - JunkGroupListModel::KeyRole + 1);

QString chineseTitle(cleaning::ScanCategoryGroup group)
{
    switch (group) {
    case cleaning::ScanCategoryGroup::system: return QStringLiteral("系统");
    case cleaning::ScanCategoryGroup::xcode: return QStringLiteral("Xcode");
    case cleaning::ScanCategoryGroup::languages: return QStringLiteral("开发环境");
    case cleaning::ScanCategoryGroup::apps: return QStringLiteral("应用");
    }
    return {};
}

QString englishTitle(cleaning::ScanCategoryGroup group)
{
    switch (group) {
    case cleaning::ScanCategoryGroup::system: return QStringLiteral("System");
    case cleaning::ScanCategoryGroup::xcode: return QStringLiteral("Xcode");
    case cleaning::ScanCategoryGroup::languages: return QStringLiteral("Developer");
    case cleaning::ScanCategoryGroup::apps: return QStringLiteral("Apps");
    }
    return {};
}

} // namespace

JunkGroupRows::JunkGroupRows(cleaning::ScanCategoryGroup group, cleaning::ScanCategoryListModel* categories, QObject* parent)
    : QSortFilterProxyModel(parent)
{
    setSourceModel(categories);
    setFilterRole(categories->roleForName("group"));
    setFilterFixedString(rawValue(group));
    setFilterCaseSensitivity(Qt::CaseSensitive);
    connect(this, &QAbstractItemModel::rowsInserted, this, &JunkGroupRows::countChanged);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &JunkGroupRows::countChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &JunkGroupRows::countChanged);
}

QHash<int, QByteArray> JunkGroupRows::roleNames() const
{
    QHash<int, QByteArray> names = QSortFilterProxyModel::roleNames();
    for (auto it = names.begin(); it != names.end(); ++it) {
        if (it.value() == "id")
            it.value() = "categoryId";
    }
    return names;
}

JunkGroupListModel::JunkGroupListModel(cleaning::SystemJunkViewModel* viewModel, QObject* parent)
    : ListModel(QList<QByteArray>(std::begin(roleNameTable), std::end(roleNameTable)), parent)
    , m_viewModel(viewModel)
{
    if (!viewModel)
        return;
    for (cleaning::ScanCategoryGroup group : cleaning::allScanCategoryGroups) {
        auto* rows = new JunkGroupRows(group, viewModel->categoryModel(), this);
        if (rows->rowCount() == 0) {
            delete rows;
            continue;
        }
        m_groups.push_back({group, rows});
    }
    recompute(false);
    connect(viewModel, &cleaning::SystemJunkViewModel::categoriesChanged, this, [this] { recompute(true); });
}

QString JunkGroupListModel::keyOf(cleaning::ScanCategoryGroup group)
{
    switch (group) {
    case cleaning::ScanCategoryGroup::system: return QStringLiteral("system");
    case cleaning::ScanCategoryGroup::xcode: return QStringLiteral("xcode");
    case cleaning::ScanCategoryGroup::languages: return QStringLiteral("languages");
    case cleaning::ScanCategoryGroup::apps: return QStringLiteral("apps");
    }
    return {};
}

int JunkGroupListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_groups.size());
}

QVariant JunkGroupListModel::column(int row, int column) const
{
    const Group& g = m_groups[static_cast<std::size_t>(row)];
    switch (column + firstRole) {
    case KeyRole: return keyOf(g.group);
    case TitleRole: return chineseTitle(g.group);
    case EnglishTitleRole: return englishTitle(g.group);
    case TotalSizeRole: return qint64(g.totalSize);
    case SelectedSizeRole: return qint64(g.selectedSize);
    case RowsRole: return QVariant::fromValue<QObject*>(g.rows);
    case ExpandedRole: return g.expanded;
    default: return {};
    }
}

void JunkGroupListModel::setExpanded(const QStringList& keys)
{
    for (std::size_t row = 0; row < m_groups.size(); ++row) {
        const bool expanded = keys.contains(keyOf(m_groups[row].group));
        if (std::exchange(m_groups[row].expanded, expanded) != expanded)
            announceChanged(static_cast<int>(row), static_cast<int>(row));
    }
}

void JunkGroupListModel::recompute(bool announce)
{
    if (!m_viewModel)
        return;
    for (std::size_t row = 0; row < m_groups.size(); ++row) {
        Group& g = m_groups[row];
        std::int64_t total = 0;
        std::int64_t selected = 0;
        for (const cleaning::ScanCategory& category : m_viewModel->categories()) {
            if (group(category.id) != g.group)
                continue;
            total += category.totalSize();
            selected += category.selectedSize();
        }
        if (total == g.totalSize && selected == g.selectedSize)
            continue;
        g.totalSize = total;
        g.selectedSize = selected;
        if (announce)
            announceChanged(static_cast<int>(row), static_cast<int>(row));
    }
}

} // namespace velk::screens
