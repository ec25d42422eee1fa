#include "ui/design/GeometryQml.h"

#include "ui/design/Geometry.h"

#include <QVariantMap>

namespace velk::design {

double GeometryQml::clampFraction(double value) const
{
    return design::clampFraction(value);
}

double GeometryQml::gaugeSweepDegrees(double fraction) const
{
    return design::gaugeSweepDegrees(fraction);
}

QVariantList GeometryQml::textRoll(const QString& from, const QString& to) const
{
    QVariantList list;
    for (const RollingCharacter& c : design::textRoll(from, to)) {
        list.append(QVariantMap {
            { QStringLiteral("from"), c.from.isNull() ? QString() : QString(c.from) },
            { QStringLiteral("to"), c.to.isNull() ? QString() : QString(c.to) },
        });
    }
    return list;
}

} // namespace velk::design
