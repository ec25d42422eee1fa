#pragma once

#include "common/lists/KeyedListModel.h"
#include "ui/screens/systeminfo/InfoRows.h"

#include <QtQml/qqmlregistration.h>

namespace velk::screens {

// The rows of one group, keyed by the row's key: roles key, labelZh,
// labelEn, valueZh and valueEn.
class InfoRowListModel : public lists::KeyedListModel<InfoRow, QString> {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("A screen owns its groups.")
public:
    explicit InfoRowListModel(QObject* parent = nullptr);

protected:
    QString keyOf(const InfoRow& row) const override { return row.key; }
    QVariant value(const InfoRow& row, int column) const override;
};

} // namespace velk::screens
