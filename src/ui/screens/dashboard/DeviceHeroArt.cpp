#include "ui/screens/dashboard/DeviceHeroArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <vector>

namespace velk::screens {
namespace {

// The pictures are drawn on a 320 x 280 canvas.
constexpr double canvasWidth = 320.0;
constexpr double canvasHeight = 280.0;
// The shadow: black at 0.35, blurred by about 24 points, 16 points down.
constexpr double shadowOpacity = 0.35;
constexpr double shadowOffsetY = 16.0;
constexpr int shadowBoxRadius = 8;  // three box passes of this radius blur like a Gaussian of sigma ~ 8

// Fills shapes with their own brush, or all in black for the silhouette the
// shadow is made of.
class Pen {
public:
    Pen(QPainter& painter, bool silhouette)
        : m_painter(painter)
        , m_silhouette(silhouette)
    {
        m_painter.setPen(Qt::NoPen);
    }

    void fill(const QPainterPath& path, const QBrush& brush)
    {
        m_painter.fillPath(path, m_silhouette ? QBrush(Qt::black) : brush);
    }
    // Details that lie inside the outline add nothing to the silhouette.
    void detail(const QPainterPath& path, const QBrush& brush)
    {
        if (!m_silhouette)
            m_painter.fillPath(path, brush);
    }

private:
    QPainter& m_painter;
    bool m_silhouette;
};

QPainterPath rounded(const QRectF& rect, double radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QBrush vertical(const QRectF& rect, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A dusk wallpaper with two soft light bands.
void wallpaper(Pen& pen, const QRectF& screen, double radius)
{
    QLinearGradient sky(screen.topLeft(), screen.bottomRight());
    sky.setColorAt(0.0, QColor(38, 58, 138));
    sky.setColorAt(0.55, QColor(92, 72, 176));
    sky.setColorAt(1.0, QColor(36, 150, 178));
    pen.detail(rounded(screen, radius), sky);
    for (int band = 0; band < 2; ++band) {
        const double y = screen.top() + screen.height() * (0.52 + 0.16 * band);
        QPainterPath wave;
        wave.moveTo(screen.left(), y);
        wave.cubicTo(screen.left() + screen.width() * 0.35, y - 34, screen.left() + screen.width() * 0.6, y + 26,
            screen.right(), y - 12);
        wave.lineTo(screen.right(), screen.bottom());
        wave.lineTo(screen.left(), screen.bottom());
        wave.closeSubpath();
        pen.detail(wave.intersected(rounded(screen, radius)), QColor(255, 255, 255, band == 0 ? 34 : 26));
    }
}

void laptop(Pen& pen)
{
    const QRectF lid(44, 50, 232, 158);
    pen.fill(rounded(lid, 12), vertical(lid, QColor(52, 55, 62), QColor(26, 28, 32)));
    pen.detail(rounded(QRectF(160 - 1.5, 52.5, 3, 3), 1.5), QColor(70, 74, 82));
    wallpaper(pen, QRectF(52, 58, 216, 138), 4);

    const QRectF deck(18, 206, 284, 12);
    pen.fill(rounded(deck, 4), vertical(deck, QColor(232, 234, 238), QColor(184, 188, 196)));
    QPainterPath lip;
    lip.moveTo(24, 216);
    lip.lineTo(296, 216);
    lip.lineTo(284, 230);
    lip.lineTo(36, 230);
    lip.closeSubpath();
    pen.fill(lip, vertical(QRectF(24, 216, 272, 14), QColor(170, 174, 182), QColor(128, 132, 140)));
    pen.detail(rounded(QRectF(134, 206, 52, 5), 2.5), QColor(150, 154, 162));
}

void compactDesktop(Pen& pen)
{
    const QRectF body(40, 104, 240, 72);
    pen.fill(rounded(body, 20), vertical(body, QColor(238, 240, 244), QColor(160, 165, 174)));
    // The top face catches the light; a seam runs along the front.
    pen.detail(rounded(QRectF(52, 107, 216, 40), 16), QColor(255, 255, 255, 70));
    pen.detail(rounded(QRectF(46, 158, 228, 1.5), 0.75), QColor(120, 124, 132, 160));
    pen.detail(rounded(QRectF(258, 165, 5, 5), 2.5), QColor(190, 255, 220));
}

void allInOne(Pen& pen)
{
    const QRectF neck(134, 196, 52, 44);
    QPainterPath stand;
    stand.moveTo(140, 196);
    stand.lineTo(180, 196);
    stand.lineTo(188, 240);
    stand.lineTo(132, 240);
    stand.closeSubpath();
    pen.fill(stand, vertical(neck, QColor(176, 184, 200), QColor(206, 212, 226)));
    const QRectF foot(108, 238, 104, 9);
    pen.fill(rounded(foot, 4), vertical(foot, QColor(214, 220, 232), QColor(160, 168, 184)));

    const QRectF body(30, 30, 260, 172);
    pen.fill(rounded(body, 12), vertical(body, QColor(214, 222, 238), QColor(176, 186, 206)));
    QPainterPath bezel;
    bezel.addRoundedRect(QRectF(30, 30, 260, 146), 12, 12);
    bezel = bezel.intersected(rounded(body, 12));
    QPainterPath top;
    top.addRect(QRectF(30, 30, 260, 140));
    pen.detail(bezel.united(top.intersected(rounded(body, 12))), QColor(20, 20, 24));
    wallpaper(pen, QRectF(38, 38, 244, 128), 3);
}

void draw(QPainter& painter, const QString& picture, bool silhouette)
{
    Pen pen(painter, silhouette);
    if (picture == QLatin1String("MacMiniHero"))
        compactDesktop(pen);
    else if (picture == QLatin1String("iMacHero"))
        allInOne(pen);
    else
        laptop(pen);
}

// One horizontal and one vertical box pass over an 8-bit alpha image.
void boxBlur(QImage& image, int radius)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<int> line;
    const auto pass = [&](int count, int length, auto at) {
        line.resize(std::size_t(length));
        for (int n = 0; n < count; ++n) {
            for (int i = 0; i < length; ++i)
                line[std::size_t(i)] = *at(n, i);
            int sum = 0;
            for (int i = -radius; i <= radius; ++i)
                sum += line[std::size_t(std::clamp(i, 0, length - 1))];
            for (int i = 0; i < length; ++i) {
                *at(n, i) = uchar(sum / (2 * radius + 1));
                sum += line[std::size_t(std::min(i + radius + 1, length - 1))];
                sum -= line[std::size_t(std::max(i - radius, 0))];
            }
        }
    };
    pass(h, w, [&](int y, int x) { return image.scanLine(y) + x; });
    pass(w, h, [&](int x, int y) { return image.scanLine(y) + x; });
}

} // namespace

DeviceHeroArt::DeviceHeroArt(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

void DeviceHeroArt::setKind(const QString& kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    m_cache = {};
    emit kindChanged();
    update();
}

QString DeviceHeroArt::pictureFor(const QString& kind)
{
    if (kind == QLatin1String("macMini") || kind == QLatin1String("macStudio"))
        return QStringLiteral("MacMiniHero");
    if (kind == QLatin1String("iMac"))
        return QStringLiteral("iMacHero");
    return QStringLiteral("MacBookHero");
}

void DeviceHeroArt::paint(QPainter* painter)
{
    const QSize size = QSizeF(width(), height()).toSize();
    if (size.isEmpty())
        return;
    if (m_cache.size() != size)
        m_cache = render(size);
    painter->drawImage(QPointF(0, 0), m_cache);
}

QImage DeviceHeroArt::render(const QSize& size) const
{
    // The frame inside the shadow margin, and the canvas fitted into it.
    const double margin = shadowMargin();
    const QRectF frame(margin, margin, size.width() - 2 * margin, size.height() - 2 * margin);
    const double scale = std::max(0.0, std::min(frame.width() / canvasWidth, frame.height() / canvasHeight));
    const QPointF origin(frame.center().x() - canvasWidth * scale / 2, frame.center().y() - canvasHeight * scale / 2);
    const auto place = [&](QPainter& p, double dy) {
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(origin.x(), origin.y() + dy);
        p.scale(scale, scale);
    };

    QImage shadow(size, QImage::Format_Alpha8);
    shadow.fill(0);
    {
        QPainter p(&shadow);
        place(p, shadowOffsetY);
        draw(p, picture(), true);
    }
    for (int round = 0; round < 3; ++round)
        boxBlur(shadow, shadowBoxRadius);

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setOpacity(shadowOpacity);
    p.drawImage(QPointF(0, 0), shadow);
    p.setOpacity(1.0);
    place(p, 0);
    draw(p, picture(), false);
    return image;
}

} // namespace velk::screens
