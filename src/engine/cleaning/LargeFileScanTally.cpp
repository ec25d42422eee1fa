#include "engine/cleaning/LargeFileScanTally.h"

#include <algorithm>

namespace velk::cleaning {
namespace {

// The last component of a path, the whole path when that is empty ("/").
QString label(const QString& path)
{
    if (path.isEmpty())
        return {};
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    const QString name = trimmed.mid(trimmed.lastIndexOf(u'/') + 1);
    return name.isEmpty() ? path : name;
}

} // namespace

int LargeFileScanTally::add(const QString& path)
{
    std::lock_guard lock(m_lock);
    m_paths << path;
    m_visited.push_back(0);
    m_matched.push_back(0);
    return static_cast<int>(m_paths.size() - 1);
}

LargeFileScanTally::Totals LargeFileScanTally::begin(int unit)
{
    std::lock_guard lock(m_lock);
    if (std::find(m_active.begin(), m_active.end(), unit) == m_active.end())
        m_active.push_back(unit);
    return totalsLocked({});
}

LargeFileScanTally::Totals LargeFileScanTally::record(int unit, std::int64_t visited, std::int64_t matched)
{
    std::lock_guard lock(m_lock);
    const auto index = static_cast<std::size_t>(unit);
    m_visitedSum += visited - std::exchange(m_visited[index], visited);
    m_matchedSum += matched - std::exchange(m_matched[index], matched);
    return totalsLocked(m_paths[unit]);
}

LargeFileScanTally::Totals LargeFileScanTally::end(int unit)
{
    std::lock_guard lock(m_lock);
    std::erase(m_active, unit);
    return totalsLocked({});
}

LargeFileScanTally::Totals LargeFileScanTally::totalsLocked(const QString& fallback) const
{
    const QString& path = m_active.empty() ? fallback : m_paths[m_active.front()];
    return {m_visitedSum, m_matchedSum, label(path)};
}

} // namespace velk::cleaning
