#include "services/update/ManifestRequest.h"

#include "services/update/UpdateRequests.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <memory>
#include <utility>

namespace velk::UpdateCheck {
namespace {

// What the session reads from the network before the body has been taken.
constexpr qint64 kReadBufferBytes = 64 * 1024;

int statusOf(const QNetworkReply* reply)
{
    const QVariant code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return code.isValid() ? code.toInt() : 0;
}

} // namespace

void requestManifest(const QUrl& url, const NetworkLimits& limits, BodyHandler handler)
{
    QNetworkRequest request = uncachedRequest(url);
    request.setRawHeader("User-Agent", "Velk-Clean-Mac");
    request.setRawHeader("Accept", "application/json");
    // Asked for nothing else, the session would ask for a compressed body
    // and inflate it past the bytes that were counted.
    request.setRawHeader("Accept-Encoding", "identity");
    // The read-ahead limit below is the one of HTTP/1.1 connections.
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);

    QNetworkReply* reply = session().get(request);
    // In the same turn as get(): the request goes out from the event loop,
    // and the limit then holds from the first byte of the answer.
    reply->setReadBufferSize(kReadBufferBytes);
    followAcceptableRedirects(reply);

    // The whole request, redirects included, not each pause between two
    // bytes, has the deadline.
    QTimer::singleShot(limits.manifestDeadlineMs, reply, [reply] { reply->abort(); });

    const qint64 limit = limits.manifestByteLimit;
    auto body = std::make_shared<QByteArray>();
    auto tooLong = std::make_shared<bool>(false);
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, limit, tooLong] {
        const QVariant declared = reply->header(QNetworkRequest::ContentLengthHeader);
        if (declared.isValid() && declared.toLongLong() > limit) {
            *tooLong = true;
            reply->abort();
        }
    });
    const auto take = [reply, body, limit, tooLong] {
        body->append(reply->read(limit + 1 - body->size()));
        if (body->size() > limit) {
            *tooLong = true;
            reply->abort();
        }
    };
    QObject::connect(reply, &QNetworkReply::readyRead, reply, take);
    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [reply, body, take, tooLong, handler = std::move(handler)] {
        reply->deleteLater();
        if (reply->error() == QNetworkReply::NoError && !*tooLong)
            take();
        const int status = statusOf(reply);
        if (reply->error() != QNetworkReply::NoError || *tooLong || status < 200 || status > 299)
            handler(std::nullopt);
        else
            handler(std::move(*body));
    });
}

} // namespace velk::UpdateCheck
