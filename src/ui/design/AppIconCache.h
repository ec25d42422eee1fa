#pragma once

#include <QHash>
#include <QImage>
#include <QQuickImageProvider>
#include <QString>
#include <functional>
#include <mutex>
#include <optional>

namespace velk::design {

// File icons by path, kept for the life of the process. The first request
// for a path asks the icon source; every later one is served from the cache.
class AppIconCache {
public:
    // Gives the image for a path; never a null image.
    using Source = std::function<QImage(const QString& path)>;

    explicit AppIconCache(Source source = defaultSource());

    // The one cache of the process.
    static AppIconCache& shared();

    // The cached image for exactly `path`, or nothing; never loads.
    std::optional<QImage> cached(const QString& path) const;
    // The image for `path`, loaded and kept on first use. The source runs
    // outside the cache's lock: a load holds up no request for another path.
    QImage icon(const QString& path);

    // An application bundle's own icon (its information list's icon file, a
    // regular file read without waiting, through the image plug-ins), else the theme icon of the file's
    // type, else a generic application icon.
    static Source defaultSource();

private:
    Source m_source;
    mutable std::mutex m_mutex;  // the image provider may ask from a loader thread
    QHash<QString, QImage> m_cache;
};

// Serves "image://appicon/<percent-encoded path>" from the shared cache.
class AppIconProvider final : public QQuickImageProvider {
public:
    AppIconProvider();
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};

} // namespace velk::design
