#include "ui/screens/systeminfo/InfoRowListModel.h"

namespace velk::screens {

InfoRowListModel::InfoRowListModel(QObject* parent)
    : KeyedListModel({"key", "labelZh", "labelEn", "valueZh", "valueEn"}, parent)
{
}

QVariant InfoRowListModel::value(const InfoRow& row, int column) const
{
    switch (column) {
    case 0: return row.key;
    case 1: return row.label.zh;
    case 2: return row.label.en;
    case 3: return row.value.zh;
    case 4: return row.value.en;
    default: return {};
    }
}

} // namespace velk::screens
