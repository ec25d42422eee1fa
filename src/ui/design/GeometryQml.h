#pragma once

#include <QObject>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

namespace velk::design {

// `Geometry` in QML: the component arithmetic of Geometry.h.
class GeometryQml : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Geometry)
    QML_SINGLETON
public:
    using QObject::QObject;
    Q_INVOKABLE double clampFraction(double value) const;
    Q_INVOKABLE double gaugeSweepDegrees(double fraction) const;
    // [{ from: "9", to: "0" }, ...]; an absent character is "".
    Q_INVOKABLE QVariantList textRoll(const QString& from, const QString& to) const;
};

} // namespace velk::design
