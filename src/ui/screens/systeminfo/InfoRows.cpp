#include "ui/screens/systeminfo/InfoRows.h"

#include "common/format/Formatting.h"
#include "platform/host/MachineFacts.h"

namespace velk::screens::inforows {
namespace {

namespace fmt = velk::fmt;

const QString kDash = QStringLiteral("—");

TextPair same(const QString& text)
{
    return {text, text};
}

InfoRow row(const char* key, const char* zh, const char* en, TextPair value)
{
    return {QLatin1String(key), {QString::fromUtf8(zh), QString::fromUtf8(en)}, std::move(value)};
}

InfoRow row(const char* key, const char* zh, const char* en, const QString& value)
{
    return row(key, zh, en, same(value));
}

QString decimal(qint64 value)
{
    return QString::number(value);
}

QString percentText(qint64 value)
{
    return decimal(value) + u'%';
}

TextPair yesNo(bool value)
{
    return value ? TextPair{QStringLiteral("是"), QStringLiteral("Yes")} : TextPair{QStringLiteral("否"), QStringLiteral("No")};
}

TextPair conditionText(const QString& key)
{
    if (key == u"normal")
        return {QStringLiteral("正常"), QStringLiteral("Normal")};
    return {QStringLiteral("建议检修"), QStringLiteral("Service Recommended")};
}

TextPair statusText(const monitor::BatteryStatus& status)
{
    if (status.charging)
        return {QStringLiteral("充电中"), QStringLiteral("Charging")};
    if (status.fullyCharged)
        return {QStringLiteral("已充满"), QStringLiteral("Full")};
    if (status.externalPower)
        return {QStringLiteral("已接通电源"), QStringLiteral("On AC power")};
    return {QStringLiteral("使用电池"), QStringLiteral("On battery")};
}

TextPair binaryBytes(std::int64_t bytes)
{
    return {fmt::byteCount(bytes, fmt::ByteStyle::Binary, fmt::Lang::Chinese),
            fmt::byteCount(bytes, fmt::ByteStyle::Binary, fmt::Lang::English)};
}

template <class T>
QString orDash(const std::optional<T>& value, QString (*text)(qint64))
{
    return value ? text(*value) : kDash;
}

} // namespace

QList<InfoRow> machine(const monitor::MachineProfile& profile, int cpuCores, double uptimeSeconds)
{
    QList<InfoRow> rows{
        row("chip", "芯片", "Chip", profile.chip),
        // The label names the family of the system that is running.
        {QStringLiteral("os"), {QStringLiteral("系统"), platform::host::MachineFacts::systemFamily()}, same(profile.osVersion)},
        row("architecture", "架构", "Architecture", profile.architecture),
    };
    if (profile.platformLabel)
        rows.append(row("model", "机型", "Model", *profile.platformLabel));
    rows.append({
        row("memory", "内存", "Memory", profile.memoryGB),
        row("host", "主机", "Host", profile.hostName),
        row("cpus", "逻辑 CPU", "Logical CPUs", decimal(cpuCores)),
        row("uptime", "运行时间", "Uptime",
            TextPair{fmt::uptime(uptimeSeconds, fmt::Lang::Chinese), fmt::uptime(uptimeSeconds, fmt::Lang::English)}),
    });
    return rows;
}

QList<InfoRow> storage(const monitor::DiskInfo& disk)
{
    return {
        row("used", "已用", "Used", binaryBytes(disk.usedBytes())),
        row("free", "可用", "Free", binaryBytes(disk.freeBytes)),
        row("total", "总量", "Total", binaryBytes(disk.totalBytes)),
        row("ratio", "已用比例", "Used ratio", fmt::percent(disk.usedPercent())),
    };
}

QList<InfoRow> battery(const monitor::BatteryStatus& status)
{
    QList<InfoRow> rows{
        row("level", "电量", "Level", percentText(status.percent)),
        row("status", "状态", "Status", statusText(status)),
    };
    if (status.cycles)
        rows.append(row("cycles", "循环次数", "Cycle count", decimal(*status.cycles)));
    if (status.healthPercent)
        rows.append(row("health", "最大容量", "Maximum capacity", percentText(*status.healthPercent)));
    if (const auto condition = status.conditionKey())
        rows.append(row("condition", "电池状况", "Condition", conditionText(*condition)));
    if (status.fullmAh && status.designmAh)
        rows.append(row("capacity", "容量", "Capacity",
                        decimal(*status.fullmAh) + QStringLiteral(" / ") + decimal(*status.designmAh) + QStringLiteral(" mAh")));
    if (status.minutesRemaining && !status.charging) {
        const QString minutes = decimal(*status.minutesRemaining);
        rows.append(row("remaining", "预估剩余", "Time remaining",
                        TextPair{minutes + QStringLiteral(" 分钟"), minutes + QStringLiteral(" min")}));
    }
    if (status.deviceName && !status.deviceName->isEmpty())
        rows.append(row("device", "设备", "Device", *status.deviceName));
    return rows;
}

QList<InfoRow> cooling(const sensors::ThermalStats& thermal)
{
    QList<InfoRow> rows;
    if (thermal.cpuCelsius)
        rows.append(row("temperature", "CPU 温度", "CPU temperature", fmt::fixed(*thermal.cpuCelsius, 1) + QStringLiteral("°C")));
    for (const sensors::FanReading& fan : thermal.fans) {
        const QString number = decimal(fan.id + 1);
        rows.append({QStringLiteral("fan") + decimal(fan.id),
                     {QStringLiteral("风扇 ") + number, QStringLiteral("Fan ") + number},
                     same(decimal(fan.rpm) + QStringLiteral(" RPM"))});
    }
    return rows;
}

QList<InfoRow> batteryCharge(const monitor::BatteryStatus& status)
{
    return {
        row("belowWarning", "电量低于警告值", "Charge below warning level", yesNo(status.belowWarning)),
        row("fullyCharged", "已充满", "Fully Charged", yesNo(status.fullyCharged)),
        row("charging", "正在充电", "Charging", yesNo(status.charging)),
        row("percent", "电量", "State of Charge", percentText(status.percent)),
    };
}

QList<InfoRow> batteryHealth(const monitor::BatteryStatus& status)
{
    const auto condition = status.conditionKey();
    return {
        row("cycles", "循环次数", "Cycle Count", orDash(status.cycles, decimal)),
        row("condition", "电池状况", "Condition", condition ? conditionText(*condition) : same(kDash)),
        row("health", "最大容量", "Maximum Capacity", orDash(status.healthPercent, percentText)),
    };
}

QList<InfoRow> batteryModel(const monitor::BatteryStatus& status)
{
    // An absent text reads "—"; an empty one stays empty.
    const auto text = [](const std::optional<QString>& value) { return value.value_or(kDash); };
    return {
        row("serial", "序列号", "Serial Number", text(status.serial)),
        row("deviceName", "设备名称", "Device Name", text(status.deviceName)),
        row("packLot", "电池组批次", "Pack Lot Code", text(status.packLot)),
        row("pcbLot", "电路板批次", "PCB Lot Code", text(status.pcbLot)),
        row("firmware", "固件版本", "Firmware Version", text(status.firmware)),
        row("hardwareRevision", "硬件版本", "Hardware Revision", text(status.hardwareRevision)),
        row("cellRevision", "电芯版本", "Cell Revision", text(status.cellRevision)),
    };
}

} // namespace velk::screens::inforows
