#pragma once

#include <QNetworkRequest>
#include <QUrl>

class QNetworkReply;

namespace velk::UpdateCheck {

// Redirects followed for one request of the update check.
constexpr int kRedirectLimit = 10;

// A GET of `url` through the session, never answered from or kept in a
// cache, whose redirects wait for followAcceptableRedirects() and stop after
// kRedirectLimit.
QNetworkRequest uncachedRequest(const QUrl& url);

// Lets `reply` follow a redirect only to an acceptable address (see
// isAcceptableAddress); any other redirect ends it with an error. The
// reply's read limit holds after a redirect too.
void followAcceptableRedirects(QNetworkReply* reply);

} // namespace velk::UpdateCheck
