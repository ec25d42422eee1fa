#pragma once

#include "services/update/UpdateCheck.h"
#include "support/network/LoopbackServer.h"

#include <QSslConfiguration>
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

// Makes TLS clients trust the loopback servers' certificate while it lives.
class ScopedTrust {
public:
    ScopedTrust()
        : m_previous(QSslConfiguration::defaultConfiguration())
    {
        LoopbackServer::trustCertificate();
    }
    ~ScopedTrust() { QSslConfiguration::setDefaultConfiguration(m_previous); }
    ScopedTrust(const ScopedTrust&) = delete;
    ScopedTrust& operator=(const ScopedTrust&) = delete;

private:
    QSslConfiguration m_previous;
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
