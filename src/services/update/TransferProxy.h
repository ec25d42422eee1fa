#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace velk::UpdateCheck {

// Whether `host` is this machine: "localhost" or a loopback address.
bool isLoopbackHost(const QString& host);

// How a request reaches `url`, in curl's terms.
struct ProxyChoice {
    // The proxy's address; empty: directly.
    QByteArray proxy;
    // The hosts reached directly all the same, as no_proxy names them.
    QByteArray noProxy;
};

// The proxy a Linux user expects for `url`: none for a loopback host; else,
// when any of http_proxy, https_proxy, all_proxy or no_proxy is set (lower
// case first, then upper), the scheme's own variable or else all_proxy,
// with no_proxy's hosts, domains and "*" reached directly; else the
// desktop's proxy settings, as the system's proxy library reads them.
ProxyChoice proxyFor(const QUrl& url);

} // namespace velk::UpdateCheck
