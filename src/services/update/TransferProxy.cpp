#include "services/update/TransferProxy.h"

#include <QMutex>
#include <arpa/inet.h>
#include <proxy.h>

namespace velk::UpdateCheck {
namespace {

// The variable in lower case, else in upper case.
QByteArray variable(const char* name)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? qgetenv(QByteArray(name).toUpper().constData()) : value;
}

// The system's proxy library, asked one request at a time.
class DesktopProxies {
public:
    DesktopProxies() = default;
    ~DesktopProxies()
    {
        if (m_factory)
            px_proxy_factory_free(m_factory);
    }
    DesktopProxies(const DesktopProxies&) = delete;
    DesktopProxies& operator=(const DesktopProxies&) = delete;

    // The first proxy the settings name for `url`; empty for none.
    QByteArray proxyFor(const QUrl& url)
    {
        QMutexLocker lock(&m_mutex);
        if (!m_factory)
            m_factory = px_proxy_factory_new();
        char** proxies = m_factory ? px_proxy_factory_get_proxies(m_factory, url.toEncoded().constData()) : nullptr;
        QByteArray first = proxies && proxies[0] ? QByteArray(proxies[0]) : QByteArray();
        if (proxies)
            px_proxy_factory_free_proxies(proxies);
        if (first.startsWith("direct://"))
            return {};
        // The library's plain "socks" is what curl calls SOCKS5.
        if (first.startsWith("socks://"))
            first.replace(0, 5, "socks5");
        return first;
    }

private:
    QMutex m_mutex;
    pxProxyFactory* m_factory = nullptr;
};

} // namespace

bool isLoopbackHost(const QString& host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QByteArray text = host.toLatin1();
    in_addr v4 {};
    if (::inet_pton(AF_INET, text.constData(), &v4) == 1)
        return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6 {};
    if (::inet_pton(AF_INET6, text.constData(), &v6) != 1)
        return false;
    if (IN6_IS_ADDR_V4MAPPED(&v6))
        return v6.s6_addr[12] == 127;
    return IN6_IS_ADDR_LOOPBACK(&v6);
}

ProxyChoice proxyFor(const QUrl& url)
{
    if (isLoopbackHost(url.host()))
        return {};
    const QByteArray noProxy = variable("no_proxy");
    const QByteArray own = variable(url.scheme() == QLatin1String("https") ? "https_proxy" : "http_proxy");
    const QByteArray all = variable("all_proxy");
    if (!own.isEmpty() || !all.isEmpty() || !noProxy.isEmpty()
        || !variable(url.scheme() == QLatin1String("https") ? "http_proxy" : "https_proxy").isEmpty())
        return {own.isEmpty() ? all : own, noProxy};
    static DesktopProxies desktop;
    return {desktop.proxyFor(url), {}};
}

} // namespace velk::UpdateCheck
