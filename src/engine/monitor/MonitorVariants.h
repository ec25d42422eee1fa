#pragma once

#include "engine/monitor/MemoryService.h"
#include "engine/monitor/DiskService.h"
#include "engine/monitor/ProcessRelations.h"
#include "engine/sensors/ThermalStats.h"

#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <optional>
#include <vector>

namespace velk::monitor {

// The monitor's records as the screens read them: maps keyed by the field
// names, with absent optional values as undefined.

template <class T>
QVariant optionalVariant(const std::optional<T>& value)
{
    return value ? QVariant::fromValue(*value) : QVariant();
}

// A process's fields by index, 0 to procInfoFieldCount - 1, in a fixed
// order: the keys of its map and the roles of the process list model.
inline constexpr int procInfoFieldCount = 14;
QByteArray procInfoFieldName(int field);
// Undefined for an index out of range.
QVariant procInfoField(const ProcInfo& proc, int field);

QVariantMap toVariantMap(const ProcInfo& proc);
QVariantMap toVariantMap(const NetEndpoint& endpoint);
QVariantMap toVariantMap(const SocketEntry& socket);
QVariantMap toVariantMap(const MemoryStats& stats);
QVariantMap toVariantMap(const DiskInfo& info);
QVariantMap toVariantMap(const sensors::ThermalStats& stats);
QVariantMap toVariantMap(const ProcessRelations& relations);

template <class T>
QVariantList toVariantList(const std::vector<T>& list)
{
    QVariantList result;
    result.reserve(static_cast<qsizetype>(list.size()));
    for (const T& item : list)
        result.append(toVariantMap(item));
    return result;
}

QVariantList toVariantList(const std::vector<int>& list);

} // namespace velk::monitor
