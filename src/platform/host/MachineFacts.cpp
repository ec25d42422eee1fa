#include "platform/host/MachineFacts.h"

#include "platform/files/ProcFiles.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSysInfo>
#include <sys/utsname.h>
#include <unistd.h>

namespace velk::platform::host {
namespace {

// KEY=value lines; values may be quoted.
QHash<QString, QString> osRelease(const QString& root)
{
    QHash<QString, QString> values;
    for (const char* candidate : {"/etc/os-release", "/usr/lib/os-release"}) {
        QFile file(root + QLatin1String(candidate));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (const QString& line : lines) {
            const qsizetype equals = line.indexOf(u'=');
            if (equals <= 0 || line.startsWith(u'#'))
                continue;
            QString value = line.mid(equals + 1).trimmed();
            if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
                value = value.mid(1, value.size() - 2);
            values.insert(line.left(equals).trimmed(), value);
        }
        break;
    }
    return values;
}

class LinuxMachineFacts final : public MachineFacts {
public:
    explicit LinuxMachineFacts(QString root) : m_root(std::move(root)) {}

    std::optional<QString> hostName() const override
    {
        char name[256] = {};
        if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
            return std::nullopt;
        return QString::fromUtf8(name);
    }

    QString osName() const override
    {
        const auto release = osRelease(m_root);
        if (const QString name = release.value("NAME"); !name.isEmpty())
            return name;
        utsname u {};
        return ::uname(&u) == 0 ? QString::fromUtf8(u.sysname) : QStringLiteral("Linux");
    }

    QString osVersion() const override
    {
        const auto release = osRelease(m_root);
        if (!release.isEmpty())
            return release.value("VERSION_ID");
        utsname u {};
        return ::uname(&u) == 0 ? QString::fromUtf8(u.release) : QString();
    }

    QString architecture() const override
    {
        utsname u {};
        return architectureLabel(::uname(&u) == 0 ? QString::fromUtf8(u.machine) : QSysInfo::currentCpuArchitecture());
    }

    QString modelIdentifier() const override
    {
        const QString dmi = m_root + QStringLiteral("/sys/devices/virtual/dmi/id/");
        const QString product = files::procfiles::readTrimmed(dmi + QStringLiteral("product_name"));
        if (!product.isEmpty())
            return product;
        // Boards without firmware tables name themselves in the device tree.
        return files::procfiles::readTrimmed(m_root + QStringLiteral("/proc/device-tree/model")).remove(QChar(0));
    }

    std::optional<std::uint64_t> installedMemory() const override
    {
        const QString folder = m_root + QStringLiteral("/sys/devices/system/memory");
        bool ok = false;
        const std::uint64_t blockSize =
            files::procfiles::readTrimmed(folder + QStringLiteral("/block_size_bytes")).toULongLong(&ok, 16);
        if (!ok || blockSize == 0)
            return std::nullopt;
        std::uint64_t online = 0;
        const QStringList blocks = QDir(folder).entryList({QStringLiteral("memory*")}, QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& block : blocks) {
            if (files::procfiles::readTrimmed(folder + u'/' + block + QStringLiteral("/online")) == u"1")
                ++online;
        }
        if (online == 0)
            return std::nullopt;
        return online * blockSize;
    }

private:
    QString m_root;
};

} // namespace

QString MachineFacts::systemFamily()
{
    utsname u {};
    return ::uname(&u) == 0 && u.sysname[0] != '\0' ? QString::fromUtf8(u.sysname) : QStringLiteral("Linux");
}

QString MachineFacts::architectureLabel(const QString& machine)
{
    if (machine == u"x86_64" || machine == u"amd64")
        return QStringLiteral("x86-64 (%1)").arg(machine);
    if (machine == u"aarch64" || machine == u"arm64")
        return QStringLiteral("ARM 64-bit (%1)").arg(machine);
    return machine;
}

std::shared_ptr<MachineFacts> MachineFacts::createDefault()
{
    return fromRoot(QString());
}

std::shared_ptr<MachineFacts> MachineFacts::fromRoot(const QString& root)
{
    return std::make_shared<LinuxMachineFacts>(root);
}

} // namespace velk::platform::host
