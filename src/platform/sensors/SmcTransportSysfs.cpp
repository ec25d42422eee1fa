#include "platform/sensors/EmulatedSmc.h"
#include "platform/files/ProcFiles.h"
#include "platform/sensors/SmcTransport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <optional>
#include <vector>

// The controller as the kernel's hardware-monitoring (hwmon) and thermal
// classes describe the machine. Each reading is served under the key that
// the sensor catalog names for its kind, so the engine finds it by name:
//
//   coretemp "Core N", by N         TC0c ... TC9c
//   k10temp "TccdN", by N           TC0C ... TC9C
//   package temperature             TCAD (and TC0c without per-core channels)
//   first GPU's edge temperature    TG0D
//   nvme and drivetemp disks        TH0A ... TH9A
//   other thermal zones             TZ0C ... TZ9C
//   fans                            F0Ac/Mn/Mx/ID ... F9..., FNum
//
// Temperatures and speeds are "flt " values read from their files when asked
// for (at most once a second); writes are refused.

namespace velk::platform::sensors {
namespace {

constexpr int kMaxPerKind = 10;

// Entries of `folder` named prefix + number, in numeric order.
std::vector<std::pair<int, QString>> numbered(const QString& folder, const QString& prefix)
{
    std::vector<std::pair<int, QString>> found;
    const QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& name : names) {
        if (!name.startsWith(prefix))
            continue;
        bool ok = false;
        const int n = name.mid(prefix.size()).toInt(&ok);
        if (ok && n >= 0)
            found.emplace_back(n, folder + u'/' + name);
    }
    std::sort(found.begin(), found.end());
    return found;
}

// Channels of one kind ("temp", "fan") of a chip: the numbers N for which
// <kind>N_input exists, ascending.
std::vector<int> channels(const QString& chip, const QString& kind)
{
    static const QRegularExpression inputName(QStringLiteral("^([a-z]+)(\\d+)_input$"));
    std::vector<int> found;
    const QStringList names = QDir(chip).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& name : names) {
        const auto m = inputName.match(name);
        if (m.hasMatch() && m.captured(1) == kind)
            found.push_back(m.captured(2).toInt());
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::optional<double> readNumber(const QString& path)
{
    std::string text;
    if (!files::procfiles::read(QFile::encodeName(path).toStdString(), text))
        return std::nullopt;
    bool ok = false;
    const qlonglong n = QByteArray::fromStdString(text).trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return static_cast<double>(n);
}

EmulatedSmc::ValueSource fileValue(const QString& path, double scale)
{
    return [path, scale]() -> std::optional<QByteArray> {
        const auto n = readNumber(path);
        if (!n)
            return std::nullopt;
        return EmulatedSmc::flt(static_cast<float>(*n / scale));
    };
}

struct Channel {
    QString input;
    QString label;
};

struct Chip {
    QString path;
    QString name;
    std::vector<Channel> temps;  // by channel number
    struct Fan {
        int number;
        QString path;
        QString label;
    };
    std::vector<Fan> fans;
};

std::vector<Chip> readChips(const QString& hwmonFolder)
{
    std::vector<Chip> chips;
    for (const auto& [n, path] : numbered(hwmonFolder, QStringLiteral("hwmon"))) {
        Chip chip;
        chip.path = path;
        chip.name = files::procfiles::readTrimmed(path + QStringLiteral("/name"));
        for (const int t : channels(path, QStringLiteral("temp"))) {
            const QString base = path + QStringLiteral("/temp") + QString::number(t);
            chip.temps.push_back({base + QStringLiteral("_input"), files::procfiles::readTrimmed(base + QStringLiteral("_label"))});
        }
        for (const int f : channels(path, QStringLiteral("fan"))) {
            const QString base = path + QStringLiteral("/fan") + QString::number(f);
            chip.fans.push_back({f, base, files::procfiles::readTrimmed(base + QStringLiteral("_label"))});
        }
        chips.push_back(std::move(chip));
    }
    return chips;
}

// The number after `prefix` in a label such as "Core 12" or "Tccd3".
std::optional<int> labelNumber(const QString& label, const QString& prefix)
{
    if (!label.startsWith(prefix))
        return std::nullopt;
    bool ok = false;
    const int n = label.mid(prefix.size()).toInt(&ok);
    return ok && n >= 0 ? std::optional<int>(n) : std::nullopt;
}

class SysfsFiller {
public:
    explicit SysfsFiller(EmulatedSmc& smc) : m_smc(smc) {}

    void fill(const QString& root)
    {
        const std::vector<Chip> chips = readChips(root + QStringLiteral("/class/hwmon"));
        const bool packageFromCoretemp = addCpu(chips);
        addGpu(chips);
        addDisks(chips);
        addThermalZones(root + QStringLiteral("/class/thermal"), packageFromCoretemp);
        addFans(chips);
    }

    bool empty() const { return m_served == 0; }

private:
    void temperature(const QString& key, const QString& input)
    {
        m_smc.setSourcedKey(key, QStringLiteral("flt "), 4, fileValue(input, 1000.0));
        ++m_served;
    }

    // Returns whether the package temperature came from coretemp.
    bool addCpu(const std::vector<Chip>& chips)
    {
        std::vector<QString> cores;   // coretemp "Core N"
        std::vector<QString> ccds;    // k10temp "TccdN"
        std::optional<QString> package;
        bool fromCoretemp = false;
        for (const Chip& chip : chips) {
            if (chip.name == u"coretemp") {
                std::vector<std::pair<int, QString>> numberedCores;
                for (const Channel& c : chip.temps) {
                    if (const auto n = labelNumber(c.label, QStringLiteral("Core ")))
                        numberedCores.emplace_back(*n, c.input);
                    else if (c.label == u"Package id 0" && !package) {
                        package = c.input;
                        fromCoretemp = true;
                    }
                }
                std::stable_sort(numberedCores.begin(), numberedCores.end(),
                                 [](const auto& a, const auto& b) { return a.first < b.first; });
                for (const auto& core : numberedCores)
                    cores.push_back(core.second);
            } else if (chip.name == u"k10temp") {
                std::vector<std::pair<int, QString>> numberedCcds;
                std::optional<QString> tdie;
                std::optional<QString> tctl;
                for (const Channel& c : chip.temps) {
                    if (const auto n = labelNumber(c.label, QStringLiteral("Tccd")))
                        numberedCcds.emplace_back(*n, c.input);
                    else if (c.label == u"Tdie" && !tdie)
                        tdie = c.input;
                    else if (c.label == u"Tctl" && !tctl)
                        tctl = c.input;
                }
                std::stable_sort(numberedCcds.begin(), numberedCcds.end(),
                                 [](const auto& a, const auto& b) { return a.first < b.first; });
                for (const auto& ccd : numberedCcds)
                    ccds.push_back(ccd.second);
                if (!package && (tdie || tctl))
                    package = tdie ? *tdie : *tctl;
            }
        }
        for (std::size_t i = 0; i < cores.size() && i < kMaxPerKind; ++i)
            temperature(QStringLiteral("TC%1c").arg(i), cores[i]);
        for (std::size_t i = 0; i < ccds.size() && i < kMaxPerKind; ++i)
            temperature(QStringLiteral("TC%1C").arg(i), ccds[i]);
        if (package) {
            temperature(QStringLiteral("TCAD"), *package);
            // Without per-core channels the package stands in for the cores,
            // so the machine still has a CPU temperature.
            if (cores.empty() && ccds.empty())
                temperature(QStringLiteral("TC0c"), *package);
        }
        return package.has_value() && fromCoretemp;
    }

    void addGpu(const std::vector<Chip>& chips)
    {
        for (const Chip& chip : chips) {
            if (chip.name != u"amdgpu" && chip.name != u"radeon" && chip.name != u"nouveau")
                continue;
            const auto edge = std::find_if(chip.temps.begin(), chip.temps.end(),
                                           [](const Channel& c) { return c.label == u"edge"; });
            const bool unlabelled = std::all_of(chip.temps.begin(), chip.temps.end(),
                                                [](const Channel& c) { return c.label.isEmpty(); });
            if (edge != chip.temps.end()) {
                temperature(QStringLiteral("TG0D"), edge->input);
                return;
            }
            if (unlabelled && !chip.temps.empty()) {
                temperature(QStringLiteral("TG0D"), chip.temps.front().input);
                return;
            }
        }
    }

    void addDisks(const std::vector<Chip>& chips)
    {
        int disk = 0;
        for (const Chip& chip : chips) {
            if ((chip.name != u"nvme" && chip.name != u"drivetemp") || chip.temps.empty())
                continue;
            if (disk == kMaxPerKind)
                return;
            temperature(QStringLiteral("TH%1A").arg(disk++), chip.temps.front().input);
        }
    }

    void addThermalZones(const QString& thermalFolder, bool packageFromCoretemp)
    {
        int zone = 0;
        for (const auto& [n, path] : numbered(thermalFolder, QStringLiteral("thermal_zone"))) {
            if (zone == kMaxPerKind)
                return;
            const QString input = path + QStringLiteral("/temp");
            if (!QFileInfo::exists(input))
                continue;
            // The package sensor's zone repeats the package temperature.
            if (packageFromCoretemp && files::procfiles::readTrimmed(path + QStringLiteral("/type")) == u"x86_pkg_temp")
                continue;
            temperature(QStringLiteral("TZ%1C").arg(zone++), input);
        }
    }

    void addFans(const std::vector<Chip>& chips)
    {
        int count = 0;
        for (const Chip& chip : chips) {
            for (const Chip::Fan& fan : chip.fans) {
                if (count == kMaxPerKind)
                    break;
                const QString prefix = QStringLiteral("F%1").arg(count);
                m_smc.setSourcedKey(prefix + QStringLiteral("Ac"), QStringLiteral("flt "), 4,
                                    fileValue(fan.path + QStringLiteral("_input"), 1.0));
                for (const auto& [suffix, file] : {std::pair{"Mn", "_min"}, std::pair{"Mx", "_max"}}) {
                    const QString path = fan.path + QLatin1String(file);
                    if (QFileInfo::exists(path))
                        m_smc.setSourcedKey(prefix + QLatin1String(suffix), QStringLiteral("flt "), 4, fileValue(path, 1.0));
                }
                // The name holds printable ASCII only; a label with none of it
                // counts as missing.
                const bool printable = std::any_of(fan.label.begin(), fan.label.end(), [](QChar c) {
                    return c.unicode() > 0x20 && c.unicode() < 0x7F;
                });
                const QString label = printable ? fan.label : QStringLiteral("Fan %1").arg(fan.number);
                m_smc.setKey(prefix + QStringLiteral("ID"), QStringLiteral("{fds"), EmulatedSmc::fds(label));
                ++count;
            }
        }
        if (count > 0 || m_served > 0)
            m_smc.setKey(QStringLiteral("FNum"), QStringLiteral("ui8 "), EmulatedSmc::ui8(static_cast<std::uint8_t>(count)));
        m_served += count;
    }

    EmulatedSmc& m_smc;
    int m_served = 0;
};

} // namespace

std::shared_ptr<SmcTransport> SmcTransport::fromSysfs(const QString& sysfsRoot)
{
    auto smc = std::make_shared<EmulatedSmc>();
    SysfsFiller filler(*smc);
    filler.fill(sysfsRoot);
    smc->refuseWrites();
    // A machine with nothing to report has no controller at all.
    if (filler.empty())
        smc->failOpen(SmcOpenStep::iterator);
    return smc;
}

} // namespace velk::platform::sensors
