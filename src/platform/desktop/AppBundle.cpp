#include "platform/desktop/AppBundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>

namespace velk::platform::desktop {
namespace {

class LinuxAppBundle final : public AppBundle {
public:
    QString bundlePath() const override
    {
        const QString exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
        return exe.isEmpty() ? QString() : QFileInfo(exe).canonicalPath();
    }
    QString bundleIdentifier() const override { return QStringLiteral("org.velk.VelkClean"); }
    qint64 processId() const override { return QCoreApplication::applicationPid(); }

    void requestTermination() override
    {
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, &QCoreApplication::quit, Qt::QueuedConnection);
    }
};

} // namespace

std::shared_ptr<AppBundle> AppBundle::createDefault()
{
    return std::make_shared<LinuxAppBundle>();
}

} // namespace velk::platform::desktop
