#pragma once

#include <QImage>
#include <QQuickPaintedItem>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QPainter;

namespace velk::screens {

// The hero picture of a kind of machine, drawn as vector art fitted into
// the item's frame (320 x 280 in the dashboard's hero) with a soft drop
// shadow below it. The shadow reaches past the frame; `shadowMargin` is how
// far, and the item paints that much beyond each edge of the frame, so it
// is laid out `shadowMargin` larger on every side than the frame.
class DeviceHeroArt : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    // Raw value of the machine kind ("macBook", "iMac", "macMini", ...).
    Q_PROPERTY(QString kind READ kind WRITE setKind NOTIFY kindChanged)
    // Name of the picture drawn for the kind.
    Q_PROPERTY(QString picture READ picture NOTIFY kindChanged)
    Q_PROPERTY(double shadowMargin READ shadowMargin CONSTANT)
public:
    explicit DeviceHeroArt(QQuickItem* parent = nullptr);

    QString kind() const { return m_kind; }
    void setKind(const QString& kind);
    QString picture() const { return pictureFor(m_kind); }
    static double shadowMargin() { return 48.0; }

    // "MacMiniHero" for the compact desktops, "iMacHero" for the all-in-one,
    // "MacBookHero" for laptops, towers and anything unrecognised.
    static QString pictureFor(const QString& kind);

    void paint(QPainter* painter) override;

signals:
    void kindChanged();

private:
    QImage render(const QSize& size) const;

    QString m_kind = QStringLiteral("macBook");
    QImage m_cache;
};

} // namespace velk::screens
