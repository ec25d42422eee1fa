#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

namespace velk::screens {

// The fan dial's arc, from the left end over the top towards the right end
// for `progress` (0…1) of the half turn, with round caps. Its circle has its
// centre 0.06 of the width above the bottom edge and a radius of 0.46 of the
// smaller of the width and 1.6 x the height. With `faded` the colour runs
// around the centre from 55 % opacity at the left end to full at the right.
// Nothing is drawn at progress 0.
class FanGaugeArc : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double progress READ progress WRITE setProgress NOTIFY changed)
    Q_PROPERTY(double lineWidth READ lineWidth WRITE setLineWidth NOTIFY changed)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(bool faded READ faded WRITE setFaded NOTIFY changed)

public:
    explicit FanGaugeArc(QQuickItem* parent = nullptr);

    double progress() const { return m_progress; }
    void setProgress(double progress);
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    bool faded() const { return m_faded; }
    void setFaded(bool faded);

    void paint(QPainter* painter) override;

signals:
    void changed();

private:
    template <class T>
    void assign(T& field, const T& value);

    double m_progress = 0;
    double m_lineWidth = 1;
    QColor m_color = Qt::gray;
    bool m_faded = false;
};

} // namespace velk::screens
