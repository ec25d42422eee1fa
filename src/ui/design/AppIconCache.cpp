#include "ui/design/AppIconCache.h"

#include "platform/plist/PropertyList.h"

#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>
#include <QUrl>

namespace velk::design {
namespace {

constexpr int kIconSize = 64;

// The icon a bundle names in its information list, if it can be read.
QImage bundleIcon(const QString& path)
{
    const auto info = platform::plist::readFile(path + "/Contents/Info.plist");
    if (!info || info->typeId() != QMetaType::QVariantMap)
        return {};
    QString file = info->toMap().value("CFBundleIconFile").toString();
    if (file.isEmpty() || file.contains(u'/'))
        return {};
    if (QFileInfo(file).suffix().isEmpty())
        file += ".icns";
    QImageReader reader(path + "/Contents/Resources/" + file);
    return reader.read();
}

QImage themeIcon(const QString& path)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    const QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    return icon.isNull() ? QImage() : icon.pixmap(kIconSize).toImage();
}

// A plain rounded tile: what every path without an icon of its own shows.
QImage genericIcon()
{
    QImage image(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Qt::gray));
    painter.drawRoundedRect(QRectF(4, 4, kIconSize - 8, kIconSize - 8), 12, 12);
    return image;
}

} // namespace

AppIconCache::AppIconCache(Source source)
    : m_source(std::move(source))
{
}

AppIconCache& AppIconCache::shared()
{
    static AppIconCache cache;
    return cache;
}

std::optional<QImage> AppIconCache::cached(const QString& path) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_cache.constFind(path);
    if (it == m_cache.constEnd())
        return std::nullopt;
    return *it;
}

QImage AppIconCache::icon(const QString& path)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_cache.constFind(path);
    if (it != m_cache.constEnd())
        return *it;
    QImage image = m_source(path);
    m_cache.insert(path, image);
    return image;
}

AppIconCache::Source AppIconCache::defaultSource()
{
    return [](const QString& path) {
        QImage image = bundleIcon(path);
        if (image.isNull())
            image = themeIcon(path);
        if (image.isNull())
            image = genericIcon();
        return image;
    };
}

AppIconProvider::AppIconProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{
}

QImage AppIconProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize)
{
    QImage image = AppIconCache::shared().icon(QUrl::fromPercentEncoding(id.toUtf8()));
    if (requestedSize.isValid() && !requestedSize.isEmpty())
        image = image.scaled(requestedSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (size)
        *size = image.size();
    return image;
}

} // namespace velk::design
