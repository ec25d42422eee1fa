#include "platform/CurrentUser.h"

#include <QDir>
#include <QLocale>
#include <pwd.h>
#include <unistd.h>

namespace velk::platform {
namespace {

class PosixUser final : public CurrentUser {
public:
    QString homePath() const override { return QDir::homePath(); }
    uint uid() const override { return ::getuid(); }
    QString userName() const override
    {
        if (const passwd* pw = ::getpwuid(::getuid()))
            return QString::fromLocal8Bit(pw->pw_name);
        return QString::number(::getuid());
    }
};

class QtSystemLocale final : public SystemLocale {
public:
    QString languageCode() const override
    {
        const QString name = QLocale::system().name();  // "zh_CN", "en_US", "C"
        const qsizetype cut = name.indexOf(u'_');
        return (cut < 0 ? name : name.left(cut)).toLower();
    }
};

} // namespace

std::shared_ptr<CurrentUser> CurrentUser::createDefault()
{
    return std::make_shared<PosixUser>();
}

std::shared_ptr<SystemLocale> SystemLocale::createDefault()
{
    return std::make_shared<QtSystemLocale>();
}

} // namespace velk::platform
