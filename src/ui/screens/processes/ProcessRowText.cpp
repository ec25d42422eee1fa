#include "ui/screens/processes/ProcessRowText.h"

#include "common/format/Formatting.h"

#include <QStringList>
#include <algorithm>

namespace velk::screens {

QString processIdentityText(qint32 pid, std::optional<int> threads, const QString& user)
{
    const QString separator = QStringLiteral(" · ");
    const QString threadPart = threads ? QStringLiteral("T ") + QString::number(*threads) : QStringLiteral("T —");
    return QStringLiteral("PID ") + QString::number(pid) + separator + threadPart + separator + fmt::isolatedName(user);
}

QString portBadgeText(const std::vector<int>& ports)
{
    if (ports.empty())
        return {};
    QStringList shown;
    const std::size_t count = std::min<std::size_t>(ports.size(), 2);
    for (std::size_t i = 0; i < count; ++i)
        shown.append(QString::number(ports[i]));
    return u':' + shown.join(u',');
}

} // namespace velk::screens
