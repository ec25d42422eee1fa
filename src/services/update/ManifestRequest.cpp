#include "services/update/ManifestRequest.h"

#include "services/update/Transfer.h"

#include "platform/core/Executor.h"
#include "platform/core/ServiceRegistry.h"

#include <utility>

namespace velk::UpdateCheck {

void requestManifest(const QUrl& url, const NetworkLimits& limits, platform::core::Priority priority,
                     const QPointer<QObject>& receiver, BodyHandler handler)
{
    prepareTransfers();
    auto executor = platform::core::service<platform::core::Executor>();
    executor->run(priority, [executor, url, limits, receiver, handler = std::move(handler)] {
        TransferRequest request;
        request.url = url;
        // Asked for nothing else, a server may send a compressed body.
        request.headers = {"User-Agent: Velk-Clean-Mac", "Accept: application/json", "Accept-Encoding: identity"};
        request.deadlineMs = limits.manifestDeadlineMs;
        request.byteLimit = limits.manifestByteLimit;
        QByteArray body;
        request.sink = [&body](QByteArrayView bytes) {
            body.append(bytes);
            return true;
        };
        std::optional<QByteArray> answer;
        if (transfer(request).outcome == TransferResult::Outcome::Completed)
            answer = std::move(body);
        executor->toMain(receiver, [handler, answer = std::move(answer)] { handler(answer); });
    });
}

} // namespace velk::UpdateCheck
