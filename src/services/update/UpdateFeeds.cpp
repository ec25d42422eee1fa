#include "services/update/UpdateCheck.h"

#include "services/update/ManifestRequest.h"
#include "services/update/TransferProxy.h"

#include "platform/core/Clock.h"
#include "platform/core/ServiceRegistry.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QMutex>
#include <QPointer>
#include <QUrlQuery>
#include <memory>

namespace velk::UpdateCheck {
namespace {

struct ServerConfig {
    QMutex mutex;
    QUrl base{QStringLiteral(VELK_UPDATE_SERVER)};
    NetworkLimits limits;
};

ServerConfig& serverConfig()
{
    static ServerConfig config;
    return config;
}

bool isPlainLoopback(const QUrl& url)
{
    return url.scheme() == QLatin1String("http") && isLoopbackHost(url.host());
}

// The address rule while `base` is the update server: https always; plain
// http only while the server is a loopback address, and then only to a
// loopback address.
bool isAcceptableWith(const QUrl& url, const QUrl& base)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    if (url.scheme() == QLatin1String("https"))
        return true;
    return isPlainLoopback(url) && isPlainLoopback(base);
}

// Calls `fn` from the event loop, unless `context` (when given) is gone.
void later(QObject* context, std::function<void()> fn)
{
    QObject* target = context ? context : QCoreApplication::instance();
    if (!target)
        return;
    QMetaObject::invokeMethod(target, std::move(fn), Qt::QueuedConnection);
}

// The reconciliation of one fetch(): the feeds still to ask and the best
// offer so far.
struct FetchRun {
    QList<QUrl> feeds;
    qsizetype next = 0;
    std::optional<AppUpdate> best;
    QPointer<QObject> context;
    bool hadContext = false;
    OfferHandler handler;
    Priority priority = Priority::UserInitiated;
};

void askNextFeed(const std::shared_ptr<FetchRun>& run)
{
    if (run->hadContext && !run->context)
        return;
    if (run->next >= run->feeds.size()) {
        run->handler(run->best);
        return;
    }
    const QUrl feedURL = run->feeds.at(run->next++);
    loadManifest(feedURL, run->context, [run](std::optional<AppUpdate> offer) {
        if (offer && (!run->best || isNewer(offer->version, run->best->version)))
            run->best = std::move(offer);
        askNextFeed(run);
    }, run->priority);
}

} // namespace

QUrl serverBase()
{
    ServerConfig& config = serverConfig();
    QMutexLocker lock(&config.mutex);
    return config.base;
}

bool setServerBase(const QUrl& base)
{
    if (!isAcceptableWith(base, base))
        return false;
    ServerConfig& config = serverConfig();
    QMutexLocker lock(&config.mutex);
    config.base = base;
    return true;
}

NetworkLimits networkLimits()
{
    ServerConfig& config = serverConfig();
    QMutexLocker lock(&config.mutex);
    return config.limits;
}

void setNetworkLimits(const NetworkLimits& limits)
{
    ServerConfig& config = serverConfig();
    QMutexLocker lock(&config.mutex);
    config.limits = limits;
}

bool isAcceptableAddress(const QUrl& url)
{
    return isAcceptableWith(url, serverBase());
}

QString loggableAddress(const QUrl& url)
{
    return url.toString(QUrl::RemoveUserInfo);
}

QUrl serverURL(const QString& path)
{
    QUrl url = serverBase();
    url.setPath(path);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

QList<QUrl> feedURLs()
{
    return {serverURL(QStringLiteral("/download/update.json")), serverURL(QStringLiteral("/download/latest.json"))};
}

QUrl feed()
{
    return serverURL(QStringLiteral("/download/latest.json"));
}

void clearFeedURLCache()
{
}

void loadManifest(const QUrl& feedURL, QObject* context, OfferHandler handler, Priority priority)
{
    QUrl url = feedURL;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("t"),
                       QString::number(platform::core::service<platform::core::Clock>()->now().toSecsSinceEpoch()));
    url.setQuery(query);
    const bool hasContext = context != nullptr;
    QPointer<QObject> guard(context);
    if (!isAcceptableAddress(url)) {
        later(context, [handler] { handler(std::nullopt); });
        return;
    }

    QObject* receiver = context ? context : QCoreApplication::instance();
    requestManifest(url, networkLimits(), priority, receiver, [guard, hasContext, handler](std::optional<QByteArray> body) {
        if (hasContext && !guard)
            return;
        handler(body ? decode(*body) : std::nullopt);
    });
}

void fetch(QObject* context, OfferHandler handler, Priority priority)
{
    clearFeedURLCache();
    auto run = std::make_shared<FetchRun>();
    run->feeds = feedURLs();
    run->context = context;
    run->hadContext = context != nullptr;
    run->handler = std::move(handler);
    run->priority = priority;
    askNextFeed(run);
}

void available(QObject* context, OfferHandler handler, Priority priority)
{
    fetch(context, [handler](std::optional<AppUpdate> offer) {
        if (offer && !isNewer(offer->version, localVersion()))
            offer.reset();
        handler(std::move(offer));
    }, priority);
}

} // namespace velk::UpdateCheck
