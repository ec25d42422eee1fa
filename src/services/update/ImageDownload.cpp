#include "services/update/ImageDownload.h"

#include "services/update/InstallFiles.h"
#include "services/update/Transfer.h"

#include <QTemporaryFile>

namespace velk::UpdateCheck {
namespace {

InstallError failure(InstallError::Kind kind, QString detail)
{
    return InstallError{kind, std::move(detail)};
}

} // namespace

std::optional<InstallError> downloadImage(const QUrl& url, const QString& image, const NetworkLimits& limits)
{
    using K = InstallError::Kind;
    using Outcome = TransferResult::Outcome;
    QTemporaryFile file(image + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return failure(K::FileOperationFailed, QStringLiteral("cannot create the download file"));

    TransferRequest request;
    request.url = url;
    request.byteLimit = limits.imageByteLimit;
    // A pause between two bytes never ends a transfer on its own, so a
    // server that trickles would hold the install forever: each window must
    // bring its minimum of bytes.
    request.windowMs = limits.downloadWindowMs;
    request.minimumBytes = limits.downloadMinimumBytes;
    request.sink = [&file](QByteArrayView bytes) { return file.write(bytes.data(), bytes.size()) == bytes.size(); };
    const TransferResult result = transfer(request);
    switch (result.outcome) {
    case Outcome::Completed:
        if (result.status == 200)
            break;
        [[fallthrough]];
    case Outcome::BadStatus:
        return failure(K::BadResponse, QStringLiteral("status %1").arg(result.status));
    case Outcome::Refused:
        return failure(K::InsecureAddress, QStringLiteral("redirect to %1 refused").arg(result.detail));
    case Outcome::TooLarge:
        return failure(K::ImageTooLarge, QStringLiteral("larger than %1 bytes").arg(limits.imageByteLimit));
    case Outcome::TooSlow:
        return failure(K::DownloadFailed, QStringLiteral("fewer than %1 bytes arrived in %2 ms")
                                              .arg(limits.downloadMinimumBytes)
                                              .arg(limits.downloadWindowMs));
    case Outcome::TooManyRedirects:
        return failure(K::DownloadFailed, QStringLiteral("more than %1 redirects").arg(kRedirectLimit));
    case Outcome::SinkFailed:
        return failure(K::FileOperationFailed, QStringLiteral("cannot write the download"));
    case Outcome::TimedOut:
    case Outcome::Stopped:
    case Outcome::Failed:
        return failure(K::DownloadFailed, result.detail);
    }
    QString detail;
    if (!file.flush() || !files::replaceWith(file.fileName(), image, &detail))
        return failure(K::FileOperationFailed, detail);
    file.setAutoRemove(false);
    return std::nullopt;
}

} // namespace velk::UpdateCheck
