#pragma once

#include "services/update/UpdateCheck.h"

#include <QByteArray>
#include <QUrl>
#include <functional>
#include <optional>

namespace velk::UpdateCheck {

using BodyHandler = std::function<void(std::optional<QByteArray>)>;

// Asks `url` (http or https) for one manifest, a GET with the headers
// "User-Agent" and "Accept", over a connection of its own, and calls
// `handler` once, from the event loop: with the body of a 2xx answer, or
// with nothing on any fault, for an answer whose body passes the byte limit
// of `limits`, and when their deadline has passed since the call.
// Redirects that are not less safe (never from https to http) are followed
// within the same deadline. The connection reads no more than 64 KiB ahead
// of the answer, however fast the server sends, and stops at the byte
// limit. A request still under way when the application object goes is
// dropped with it. Requests are made on one thread, the first one's.
void requestManifest(const QUrl& url, const NetworkLimits& limits, BodyHandler handler);

} // namespace velk::UpdateCheck
