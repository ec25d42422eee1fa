#include "engine/monitor/ProcessListModel.h"

namespace velk::monitor {
namespace {

QList<QByteArray> fieldNames()
{
    QList<QByteArray> names;
    for (int field = 0; field < procInfoFieldCount; ++field)
        names.append(procInfoFieldName(field));
    return names;
}

} // namespace

ProcessListModel::ProcessListModel(QObject* parent)
    : KeyedListModel(fieldNames(), parent)
{
}

} // namespace velk::monitor
