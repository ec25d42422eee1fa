#pragma once

#include "services/update/Transfer.h"
#include "services/update/UpdateCheck.h"
#include "support/network/LoopbackServer.h"
#include "support/ScopedEnv.h"

#include <QTest>
#include <functional>

namespace velk::test {

// Points the update check at `base` for the lifetime of this object.
class ScopedUpdateServer {
public:
    explicit ScopedUpdateServer(const QUrl& base)
        : m_previous(UpdateCheck::serverBase())
    {
        m_accepted = UpdateCheck::setServerBase(base);
    }
    ~ScopedUpdateServer() { UpdateCheck::setServerBase(m_previous); }
    ScopedUpdateServer(const ScopedUpdateServer&) = delete;
    ScopedUpdateServer& operator=(const ScopedUpdateServer&) = delete;

    bool accepted() const { return m_accepted; }

private:
    QUrl m_previous;
    bool m_accepted = false;
};

// Puts other network limits in force while it lives.
struct ScopedNetworkLimits {
    explicit ScopedNetworkLimits(const UpdateCheck::NetworkLimits& limits) { UpdateCheck::setNetworkLimits(limits); }
    ~ScopedNetworkLimits() { UpdateCheck::setNetworkLimits(previous); }
    const UpdateCheck::NetworkLimits previous = UpdateCheck::networkLimits();
};

// Makes the update check trust the loopback servers' certificate (and no
// other) while it lives.
struct ScopedTrust {
    ScopedTrust() { UpdateCheck::setTrustedCertificates(LoopbackServer::certificate().toPem()); }
    ~ScopedTrust() { UpdateCheck::setTrustedCertificates({}); }
    ScopedTrust(const ScopedTrust&) = delete;
    ScopedTrust& operator=(const ScopedTrust&) = delete;
};

// The proxy variables while it lives: `set` as given, every other one unset.
class ScopedProxyVariables {
public:
    explicit ScopedProxyVariables(const QHash<QByteArray, QByteArray>& set = {})
    {
        for (const char* name : {"http_proxy", "https_proxy", "all_proxy", "no_proxy", "HTTP_PROXY", "HTTPS_PROXY",
                                 "ALL_PROXY", "NO_PROXY"})
            m_variables.push_back(std::make_unique<ScopedEnv>(name, set.value(name)));
    }

private:
    std::vector<std::unique_ptr<ScopedEnv>> m_variables;
};

// Runs the event loop until `done` or the generous limit, which only guards
// against a hang; no test relies on it.
inline bool runUntil(const std::function<bool()>& done, int limitMs = 60000)
{
    return QTest::qWaitFor(done, limitMs);
}

// The offer a fetch-like operation delivered, once it has.
struct OfferResult {
    bool delivered = false;
    std::optional<AppUpdate> offer;

    UpdateCheck::OfferHandler handler()
    {
        return [this](std::optional<AppUpdate> o) {
            delivered = true;
            offer = std::move(o);
        };
    }
    bool wait() { return runUntil([this] { return delivered; }); }
};

inline QByteArray manifest(const QByteArray& version, const QByteArray& url = "https://updates.test/a.dmg",
                           const QByteArray& extra = {})
{
    return "{\"version\":\"" + version + "\",\"url\":\"" + url + "\"" + extra + "}";
}

} // namespace velk::test
