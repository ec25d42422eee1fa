#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace velk::settings {

// The monitor's sampling interval as the Settings page shows and changes it:
// read from the "samplingInterval" default when made (2.0 when none is
// stored or the stored one is unusable, kept within 1…5), written only when
// the user chooses a value.
class SamplingIntervalSetting : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double value READ value NOTIFY valueChanged)
    // "2.0s": one decimal and the letter s.
    Q_PROPERTY(QString text READ text NOTIFY valueChanged)
    Q_PROPERTY(double minimum READ minimum CONSTANT)
    Q_PROPERTY(double maximum READ maximum CONSTANT)
    Q_PROPERTY(double step READ step CONSTANT)

public:
    static constexpr double kMinimum = 1.0;
    static constexpr double kMaximum = 5.0;
    static constexpr double kStep = 0.5;

    explicit SamplingIntervalSetting(QObject* parent = nullptr);

    double value() const { return m_value; }
    QString text() const { return label(m_value); }
    double minimum() const { return kMinimum; }
    double maximum() const { return kMaximum; }
    double step() const { return kStep; }

    // Takes `seconds`, on the nearest step within the range, and writes it to
    // the defaults at once. A number that is not finite changes nothing.
    Q_INVOKABLE void choose(double seconds);

    static QString label(double seconds);

signals:
    void valueChanged();

private:
    double m_value;
};

} // namespace velk::settings
