#pragma once

#include "services/update/UpdateCheck.h"

#include <QByteArray>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <optional>

namespace velk::UpdateCheck {

using BodyHandler = std::function<void(std::optional<QByteArray>)>;

// Asks `url` for one manifest on the executor at `priority`: a GET with the
// headers "User-Agent" and "Accept", its body as sent (no decompression).
// Calls `handler` once on the main thread, unless `receiver` is gone by
// then: with the body of a 2xx answer, or with nothing on any fault, for an
// answer whose body passes the byte limit of `limits` or says it will, and
// when their deadline has passed since the call, redirects included.
void requestManifest(const QUrl& url, const NetworkLimits& limits, platform::core::Priority priority,
                     const QPointer<QObject>& receiver, BodyHandler handler);

} // namespace velk::UpdateCheck
