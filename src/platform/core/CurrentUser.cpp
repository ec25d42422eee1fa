#include "platform/core/CurrentUser.h"

#include <QDir>
#include <QLocale>
#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace velk::platform::core {
namespace {

class PosixUser final : public CurrentUser {
public:
    QString homePath() const override { return QDir::homePath(); }
    uint uid() const override { return ::getuid(); }
    QString userName() const override
    {
        // Reentrant lookup: this may run on several threads at once.
        passwd entry{};
        passwd* found = nullptr;
        std::vector<char> buffer(16384);
        if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
            return QString::fromLocal8Bit(found->pw_name);
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

} // namespace velk::platform::core
