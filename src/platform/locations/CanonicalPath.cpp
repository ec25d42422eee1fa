#include "platform/locations/CanonicalPath.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

namespace velk::platform::locations {

std::optional<QByteArray> canonicalNativePath(const QByteArray& nativePath)
{
    if (nativePath.isEmpty())
        return std::nullopt;
    char* real = ::realpath(nativePath.constData(), nullptr);
    if (!real)
        return std::nullopt;
    QByteArray result(real);
    std::free(real);
    return result;
}

QString canonicalPath(const QString& path)
{
    const auto real = canonicalNativePath(QFile::encodeName(path));
    return real ? QFile::decodeName(*real) : QString();
}

bool isReachedWithoutLinks(const QString& path)
{
    const QString standardized = QDir::cleanPath(path);
    return canonicalPath(standardized) == standardized;
}

} // namespace velk::platform::locations
