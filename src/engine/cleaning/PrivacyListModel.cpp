#include "engine/cleaning/PrivacyListModel.h"

namespace velk::cleaning {

PrivacyListModel::PrivacyListModel(const QList<PrivacyItem>& items, QObject* parent)
    : QAbstractListModel(parent)
    , m_items(items)
{
}

int PrivacyListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant PrivacyListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_items.size())
        return {};
    const PrivacyItem& item = m_items.at(index.row());
    switch (role) {
    case IdRole: return item.id.toString(QUuid::WithoutBraces);
    case Qt::DisplayRole:
    case TitleRole: return item.title;
    case EnglishTitleRole: return item.titleEn;
    case IconRole: return item.icon;
    case IsSelectedRole: return item.isSelected;
    case DidScanRole: return item.didScan;
    case HasErrorRole: return item.scanError.has_value();
    case ScanErrorRole: return item.scanError.value_or(QString());
    case EnglishScanErrorRole: return item.scanErrorEn.value_or(QString());
    case HasFilesRole: return !item.scannedTargets.isEmpty();
    case CanSelectRole: return item.hasCleanableFiles();
    case ItemCountRole: return item.itemCount;
    case TotalSizeRole: return item.totalSize;
    case FormattedSizeRole: return item.formattedSize();
    default: return {};
    }
}

QHash<int, QByteArray> PrivacyListModel::roleNames() const
{
    return {
        {IdRole, "itemId"},
        {TitleRole, "title"},
        {EnglishTitleRole, "titleEn"},
        {IconRole, "icon"},
        {IsSelectedRole, "isSelected"},
        {DidScanRole, "didScan"},
        {HasErrorRole, "hasError"},
        {ScanErrorRole, "scanError"},
        {EnglishScanErrorRole, "scanErrorEn"},
        {HasFilesRole, "hasFiles"},
        {CanSelectRole, "canSelect"},
        {ItemCountRole, "itemCount"},
        {TotalSizeRole, "totalSize"},
        {FormattedSizeRole, "formattedSize"},
    };
}

void PrivacyListModel::rowChanged(int row)
{
    if (row >= 0 && row < m_items.size())
        emit dataChanged(index(row), index(row));
}

void PrivacyListModel::allRowsChanged()
{
    if (!m_items.isEmpty())
        emit dataChanged(index(0), index(int(m_items.size()) - 1));
}

} // namespace velk::cleaning
