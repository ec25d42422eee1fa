#pragma once

#include "common/palette/ColorRole.h"
#include "engine/sensors/ThermalStats.h"

#include <QObject>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>
#include <vector>

namespace velk::screens {

// A fan's colour by its load (0…1): red from 0.78, amber from 0.52, else
// the accent (also for no reading).
palette::ColorRole fanTone(double load);

// The measures of one fan dial of nominal width `size`.
struct FanGauge {
    double dial = 0;        // width of the dial box
    double boxHeight = 0;   // 0.58 of the width
    double stroke = 0;      // 0.09 of the width
    double progress = 0;    // rpm ÷ maximum, 0…1; 0 without a maximum
    double needleAngle = 0; // degrees clockwise, -90 at rest, +90 at full speed
    palette::ColorRole tone = palette::ColorRole::accent;
};
FanGauge fanGauge(qint64 rpm, qint64 maxRPM, bool compact, double size);

// One fan's sector of the ring, as fractions of a full turn from 12
// o'clock: each fan owns an equal share and its sector fills that share but
// for a gap of 0.02. With more than 50 fans no room is left and the sectors
// have no length.
struct FanSector {
    double start = 0;
    double span = 0;
    double load = 0;
    palette::ColorRole tone = palette::ColorRole::accent;
};
std::vector<FanSector> fanSectors(const std::vector<sensors::FanReading>& fans);

// The fan dial's and the sector chart's measures for QML.
class FanGeometry : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    using QObject::QObject;

    // { dial, boxHeight, stroke, progress, needleAngle, tone } with the tone
    // a colour role name ("accent", "amber", "red").
    Q_INVOKABLE QVariantMap gauge(double rpm, double maxRPM, bool compact, double size) const;
    // One { start, span, load, tone } per fan of a list of { id, rpm,
    // maxRPM }, as the monitor hands fans to the views.
    Q_INVOKABLE QVariantList sectors(const QVariantList& fans) const;
};

} // namespace velk::screens
