#include "services/update/UpdateRequests.h"

#include "services/update/UpdateCheck.h"

#include <QNetworkReply>

namespace velk::UpdateCheck {

QNetworkRequest uncachedRequest(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kRedirectLimit);
    return request;
}

void followAcceptableRedirects(QNetworkReply* reply)
{
    QObject::connect(reply, &QNetworkReply::redirected, reply, [reply](const QUrl& target) {
        if (!isAcceptableAddress(target)) {
            reply->abort();
            return;
        }
        // The reply asks the redirected address two turns of the event loop
        // later (the allowed redirect is posted, and posts the new request),
        // through a connection that knows nothing of the reply's read limit:
        // the limit is given again in the turn after, as that request goes
        // out.
        emit reply->redirectAllowed();
        QMetaObject::invokeMethod(reply, [reply] {
            QMetaObject::invokeMethod(
                reply, [reply] { reply->setReadBufferSize(reply->readBufferSize()); }, Qt::QueuedConnection);
        }, Qt::QueuedConnection);
    });
}

} // namespace velk::UpdateCheck
