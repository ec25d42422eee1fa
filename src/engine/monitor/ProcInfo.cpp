#include "engine/monitor/ProcInfo.h"

#include "common/format/DecimalText.h"
#include "common/format/Formatting.h"
#include "common/format/Formatting.h"

namespace velk::monitor {
namespace {

// "/" and its look-alike U+2215, in which the process list writes the "/" of
// a short name, are one character to the search.
QString withPlainSlashes(QString text)
{
    text.replace(QChar(0x2215), u'/');
    return text;
}

} // namespace

QString ProcInfo::cpuText() const
{
    if (!cpuAvailable)
        return QStringLiteral("—");
    return fmt::fixed(cpu, 1) + u'%';
}

double ProcInfo::memMB() const
{
    return memoryBytes ? static_cast<double>(*memoryBytes) / 1'000'000.0 : 0.0;
}

QString ProcInfo::memoryText() const
{
    if (!memoryBytes)
        return QStringLiteral("—");
    return fmt::processMegabytes(memMB());
}

std::optional<double> ProcInfo::memoryPercent(std::uint64_t totalBytes) const
{
    if (!memoryBytes || totalBytes == 0)
        return std::nullopt;
    return static_cast<double>(*memoryBytes) / static_cast<double>(totalBytes) * 100.0;
}

bool ProcInfo::matches(const QString& search) const
{
    // Trimmed of blanks and line breaks; empty matches everything; a number
    // matches its pid, and like any other text, names and paths holding it.
    const QString query = withPlainSlashes(search.trimmed());
    if (query.isEmpty())
        return true;
    if (const auto number = fmt::parseDecimal<std::int32_t>(query); number && *number == pid)
        return true;
    return withPlainSlashes(name).contains(query, Qt::CaseInsensitive)
        || withPlainSlashes(path).contains(query, Qt::CaseInsensitive);
}

bool ProcInfo::sameLifetime(const ProcInfo& other) const
{
    return started && other.started && pid == other.pid && *started == *other.started && path == other.path;
}

std::optional<QString> ProcInfo::bundlePath() const
{
    const qsizetype at = path.indexOf(QLatin1String(".app/"));
    if (at < 0)
        return std::nullopt;
    return path.left(at) + QStringLiteral(".app");
}

QString ProcInfo::nameFromPath(const QString& path)
{
    if (!path.contains(u'/'))
        return path;
    QStringView trimmed(path);
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    if (trimmed == u"/")
        return path.left(1);
    return trimmed.mid(trimmed.lastIndexOf(u'/') + 1).toString();
}

} // namespace velk::monitor
