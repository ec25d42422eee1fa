#include "ui/design/AppIconCache.h"

#include "platform/files/RegularFile.h"
#include "platform/plist/PropertyList.h"

#include <QBuffer>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>
#include <QUrl>

namespace velk::design {
namespace {

constexpr int kIconSize = 64;
// Icon files larger than this are not read; the largest icon sets hold a few.
constexpr qint64 kMaxIconFileBytes = 32 * 1024 * 1024;

// The icon a bundle names in its information list, if it can be read: only
// a regular file inside the bundle, opened without waiting, so a FIFO or a
// link standing in its place gives no icon instead of a loader that never
// returns.
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
    std::optional<QByteArray> bytes = platform::files::readRegularFile(
        path + "/Contents/Resources/" + file, kMaxIconFileBytes, platform::files::LastLink::Refuse);
    if (!bytes)
        return {};
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QFileInfo(file).suffix().toLatin1());
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
    if (std::optional<QImage> known = cached(path))
        return *known;
    // Loaded without the lock, so that a slow file holds up only the
    // requests for its own path, never one from the main thread.
    const QImage image = m_source(path);
    std::lock_guard lock(m_mutex);
    // A request for the same path that finished first keeps its image, so
    // that every caller gets the same one.
    auto it = m_cache.constFind(path);
    if (it == m_cache.constEnd())
        it = m_cache.insert(path, image);
    return *it;
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
