#include "platform/AppBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velk::platform {
namespace {

class LinuxAppBundle final : public AppBundle {
public:
    QString bundlePath() const override
    {
        const QString exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
        return exe.isEmpty() ? QString() : QFileInfo(exe).canonicalPath();
    }
    QString bundleIdentifier() const override { return QStringLiteral("org.velk.VelkClean"); }
};

} // namespace

std::shared_ptr<AppBundle> AppBundle::createDefault()
{
    return std::make_shared<LinuxAppBundle>();
}

} // namespace velk::platform
