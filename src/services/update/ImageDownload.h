#pragma once

#include "services/update/InstallError.h"
#include "services/update/UpdateCheck.h"

#include <QString>
#include <QUrl>
#include <optional>

namespace velk::UpdateCheck {

// Downloads the disk image at `url` to `image` within `limits` (size cap and
// stall rule): written to a temporary file beside it as it arrives, which
// takes the name `image` once the answer is whole and is removed on any
// failure. On a worker thread; nothing on success.
std::optional<InstallError> downloadImage(const QUrl& url, const QString& image, const NetworkLimits& limits);

} // namespace velk::UpdateCheck
