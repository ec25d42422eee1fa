#include "engine/monitor/SocketEntry.h"

namespace velk::monitor {

QString NetEndpoint::display() const
{
    const QString shownHost = host.contains(u':') ? u'[' + host + u']' : host;
    return shownHost + u':' + (port ? QString::number(*port) : QStringLiteral("*"));
}

bool NetEndpoint::isLoopback() const
{
    return host == u"::1" || host == u"localhost" || host.startsWith(QLatin1String("127."));
}

QString SocketEntry::id() const
{
    return QString::number(pid) + u'|' + fd + u'|' + proto + u'|' + local.display();
}

bool SocketEntry::isListening() const
{
    if (state == u"LISTEN")
        return true;
    return proto == u"UDP" && !remote && local.port.has_value();
}

} // namespace velk::monitor
