#include "engine/monitor/MonitorVariants.h"

#include <iterator>

namespace velk::monitor {

QVariantList toVariantList(const std::vector<int>& list)
{
    QVariantList result;
    result.reserve(static_cast<qsizetype>(list.size()));
    for (const int value : list)
        result.append(value);
    return result;
}

namespace {

struct ProcField {
    const char* name;
    QVariant (*read)(const ProcInfo&);
};

constexpr ProcField kProcFields[] = {
    {"pid", [](const ProcInfo& p) { return QVariant(p.pid); }},
    {"ppid", [](const ProcInfo& p) { return QVariant(p.ppid); }},
    {"user", [](const ProcInfo& p) { return QVariant(p.user); }},
    {"cpu", [](const ProcInfo& p) { return QVariant(p.cpu); }},
    {"cpuAvailable", [](const ProcInfo& p) { return QVariant(p.cpuAvailable); }},
    {"cpuText", [](const ProcInfo& p) { return QVariant(p.cpuText()); }},
    {"path", [](const ProcInfo& p) { return QVariant(p.path); }},
    {"name", [](const ProcInfo& p) { return QVariant(p.name); }},
    {"rssBytes", [](const ProcInfo& p) { return QVariant::fromValue(p.rssBytes); }},
    {"memoryBytes", [](const ProcInfo& p) { return optionalVariant(p.memoryBytes); }},
    {"memMB", [](const ProcInfo& p) { return QVariant(p.memMB()); }},
    {"memoryText", [](const ProcInfo& p) { return QVariant(p.memoryText()); }},
    {"threads", [](const ProcInfo& p) { return optionalVariant(p.threads); }},
    {"bundlePath", [](const ProcInfo& p) { return optionalVariant(p.bundlePath()); }},
};
static_assert(std::size(kProcFields) == procInfoFieldCount);

} // namespace

QByteArray procInfoFieldName(int field)
{
    return field >= 0 && field < procInfoFieldCount ? QByteArray(kProcFields[field].name) : QByteArray();
}

QVariant procInfoField(const ProcInfo& proc, int field)
{
    return field >= 0 && field < procInfoFieldCount ? kProcFields[field].read(proc) : QVariant();
}

QVariantMap toVariantMap(const ProcInfo& proc)
{
    QVariantMap map;
    for (const ProcField& field : kProcFields)
        map.insert(QString::fromLatin1(field.name), field.read(proc));
    return map;
}

QVariantMap toVariantMap(const NetEndpoint& endpoint)
{
    return {
        {QStringLiteral("host"), endpoint.host},
        {QStringLiteral("port"), optionalVariant(endpoint.port)},
        {QStringLiteral("display"), endpoint.display()},
        {QStringLiteral("isLoopback"), endpoint.isLoopback()},
    };
}

QVariantMap toVariantMap(const SocketEntry& socket)
{
    return {
        {QStringLiteral("id"), socket.id()},
        {QStringLiteral("pid"), socket.pid},
        {QStringLiteral("fd"), socket.fd},
        {QStringLiteral("proto"), socket.proto},
        {QStringLiteral("local"), toVariantMap(socket.local)},
        {QStringLiteral("remote"), socket.remote ? QVariant(toVariantMap(*socket.remote)) : QVariant()},
        {QStringLiteral("state"), socket.state},
        {QStringLiteral("isListening"), socket.isListening()},
    };
}

QVariantMap toVariantMap(const MemoryStats& stats)
{
    return {
        {QStringLiteral("total"), QVariant::fromValue(stats.total)},
        {QStringLiteral("used"), QVariant::fromValue(stats.used)},
        {QStringLiteral("free"), QVariant::fromValue(stats.free)},
        {QStringLiteral("wired"), QVariant::fromValue(stats.wired)},
        {QStringLiteral("compressed"), QVariant::fromValue(stats.compressed)},
        {QStringLiteral("app"), QVariant::fromValue(stats.app)},
        {QStringLiteral("cached"), QVariant::fromValue(stats.cached)},
        {QStringLiteral("swapUsed"), QVariant::fromValue(stats.swapUsed)},
        {QStringLiteral("usedPercent"), stats.usedPercent()},
        {QStringLiteral("freePercent"), stats.freePercent()},
    };
}

QVariantMap toVariantMap(const DiskInfo& info)
{
    return {
        {QStringLiteral("totalBytes"), QVariant::fromValue(info.totalBytes)},
        {QStringLiteral("freeBytes"), QVariant::fromValue(info.freeBytes)},
        {QStringLiteral("usedBytes"), QVariant::fromValue(info.usedBytes())},
        {QStringLiteral("usedPercent"), info.usedPercent()},
        {QStringLiteral("formattedTotal"), info.formattedTotal()},
        {QStringLiteral("formattedFree"), info.formattedFree()},
        {QStringLiteral("formattedUsed"), info.formattedUsed()},
    };
}

QVariantMap toVariantMap(const sensors::ThermalStats& stats)
{
    QVariantList fans;
    for (const sensors::FanReading& fan : stats.fans) {
        fans.append(QVariantMap{
            {QStringLiteral("id"), QVariant::fromValue(fan.id)},
            {QStringLiteral("rpm"), QVariant::fromValue(fan.rpm)},
            {QStringLiteral("maxRPM"), QVariant::fromValue(fan.maxRPM)},
            {QStringLiteral("load"), fan.load()},
        });
    }
    return {
        {QStringLiteral("cpuCelsius"), optionalVariant(stats.cpuCelsius)},
        {QStringLiteral("fans"), fans},
    };
}

QVariantMap toVariantMap(const ProcessRelations& relations)
{
    QVariantList peers;
    for (const ProcessRelations::Peer& peer : relations.localPeers) {
        peers.append(QVariantMap{
            {QStringLiteral("id"), peer.id()},
            {QStringLiteral("proc"), toVariantMap(peer.proc)},
            {QStringLiteral("ports"), toVariantList(peer.ports)},
        });
    }
    QVariantList hosts;
    for (const ProcessRelations::RemoteHost& host : relations.remoteHosts) {
        hosts.append(QVariantMap{
            {QStringLiteral("id"), host.id()},
            {QStringLiteral("host"), host.host},
            {QStringLiteral("ports"), toVariantList(host.ports)},
            {QStringLiteral("count"), host.count},
        });
    }
    return {
        {QStringLiteral("parent"), relations.parent ? QVariant(toVariantMap(*relations.parent)) : QVariant()},
        {QStringLiteral("children"), toVariantList(relations.children)},
        {QStringLiteral("childCount"), relations.childCount},
        {QStringLiteral("listening"), toVariantList(relations.listening)},
        {QStringLiteral("connections"), toVariantList(relations.connections)},
        {QStringLiteral("localPeers"), peers},
        {QStringLiteral("remoteHosts"), hosts},
    };
}

} // namespace velk::monitor
