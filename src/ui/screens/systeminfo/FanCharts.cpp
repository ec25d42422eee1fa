#include "ui/screens/systeminfo/FanCharts.h"

#include <algorithm>
#include <cmath>

namespace velk::screens {

palette::ColorRole fanTone(double load)
{
    if (load >= 0.78)
        return palette::ColorRole::red;
    if (load >= 0.52)
        return palette::ColorRole::amber;
    return palette::ColorRole::accent;
}

FanGauge fanGauge(qint64 rpm, qint64 maxRPM, bool compact, double size)
{
    FanGauge g;
    g.dial = compact ? size * 0.85 : size;
    g.boxHeight = g.dial * 0.58;
    g.stroke = g.dial * 0.09;
    g.progress = sensors::FanReading{0, rpm, maxRPM}.load();
    g.needleAngle = g.progress * 180.0 - 90.0;
    g.tone = fanTone(g.progress);
    return g;
}

std::vector<FanSector> fanSectors(const std::vector<sensors::FanReading>& fans)
{
    std::vector<FanSector> sectors;
    const double n = static_cast<double>(fans.size());
    // Never below 0: a negative length would draw backwards over the others.
    const double span = std::max(0.0, (1.0 - 0.02 * n) / n);
    for (std::size_t i = 0; i < fans.size(); ++i) {
        const double load = fans[i].load();
        sectors.push_back({static_cast<double>(i) / n, span, load, fanTone(load)});
    }
    return sectors;
}

namespace {

qint64 wholeNumber(const QVariant& value)
{
    const double number = value.toDouble();
    // Out of range or not a number reads as no speed.
    if (!std::isfinite(number) || std::fabs(number) > 9.0e15)
        return 0;
    return static_cast<qint64>(number);
}

} // namespace

QVariantMap FanGeometry::gauge(double rpm, double maxRPM, bool compact, double size) const
{
    const FanGauge g = fanGauge(wholeNumber(rpm), wholeNumber(maxRPM), compact, size);
    return {
        {QStringLiteral("dial"), g.dial},
        {QStringLiteral("boxHeight"), g.boxHeight},
        {QStringLiteral("stroke"), g.stroke},
        {QStringLiteral("progress"), g.progress},
        {QStringLiteral("needleAngle"), g.needleAngle},
        {QStringLiteral("tone"), colorRoleName(g.tone)},
    };
}

QVariantList FanGeometry::sectors(const QVariantList& fans) const
{
    std::vector<sensors::FanReading> readings;
    readings.reserve(static_cast<std::size_t>(fans.size()));
    for (const QVariant& fan : fans) {
        const QVariantMap map = fan.toMap();
        readings.push_back({wholeNumber(map.value(QStringLiteral("id"))), wholeNumber(map.value(QStringLiteral("rpm"))),
                            wholeNumber(map.value(QStringLiteral("maxRPM")))});
    }
    QVariantList result;
    for (const FanSector& s : fanSectors(readings)) {
        result.append(QVariantMap{
            {QStringLiteral("start"), s.start},
            {QStringLiteral("span"), s.span},
            {QStringLiteral("load"), s.load},
            {QStringLiteral("tone"), colorRoleName(s.tone)},
        });
    }
    return result;
}

} // namespace velk::screens
