#pragma once

#include "services/update/UpdateCheck.h"

#include <QByteArray>
#include <QUrl>
#include <functional>
#include <optional>

namespace velk::UpdateCheck {

using BodyHandler = std::function<void(std::optional<QByteArray>)>;

// Asks `url` for one manifest through the session: a GET with the headers
// "User-Agent" and "Accept", over HTTP/1.1, its body as sent (no
// decompression). Calls `handler` once, from the event loop: with the body
// of a 2xx answer, or with nothing on any fault, for an answer whose body
// passes the byte limit of `limits` or says it will, and when their
// deadline has passed since the call, redirects included. Redirects are
// followed to acceptable addresses only. The session reads little ahead of
// the body, so an answer that outruns its reader waits in the network and
// stops at the byte limit. A request still under way when the session goes
// is dropped with it.
void requestManifest(const QUrl& url, const NetworkLimits& limits, BodyHandler handler);

} // namespace velk::UpdateCheck
