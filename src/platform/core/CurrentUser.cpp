#include "platform/core/CurrentUser.h"

#include <QDir>
#include <QLocale>
#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace velk::platform::core {
namespace {

// One field of the real user's entry in the password database; empty when
// there is none. Reentrant: this may run on several threads at once.
QString accountField(char* passwd::*field)
{
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->*field)
        return QString::fromLocal8Bit(found->*field);
    return {};
}

class PosixUser final : public CurrentUser {
public:
    // An unset, empty or relative HOME names no folder (Qt would make it "/"
    // or the working folder): the account's own home stands in, as GLib has it.
    QString homePath() const override
    {
        const QString home = qEnvironmentVariable("HOME");
        if (QDir::isAbsolutePath(home))
            return QDir::cleanPath(home);
        const QString account = accountField(&passwd::pw_dir);
        return QDir::isAbsolutePath(account) ? QDir::cleanPath(account) : QDir::rootPath();
    }
    uint uid() const override { return ::getuid(); }
    QString userName() const override
    {
        const QString name = accountField(&passwd::pw_name);
        return name.isEmpty() ? QString::number(::getuid()) : name;
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

} // namespace velk::platform::core
