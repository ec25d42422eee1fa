#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

// The one way the update check and the installer ask the network: a bounded
// GET over HTTP/1.1, run to its end on the calling (worker) thread.
namespace velk::UpdateCheck {

// Redirects followed for one request of the update check.
constexpr int kRedirectLimit = 10;

struct TransferRequest {
    QUrl url;
    // Request headers, "Name: value".
    QList<QByteArray> headers;
    // The whole transfer, redirects included, ends this long after it began;
    // 0: no deadline.
    int deadlineMs = 0;
    // A body longer than this ends the transfer: a declared length before
    // the body, else at the first byte past it; -1: any length.
    qint64 byteLimit = -1;
    // The transfer ends when fewer than `minimumBytes` of the body arrive in
    // any `windowMs` (the first window includes the wait for the answer);
    // 0: no such rule.
    int windowMs = 0;
    qint64 minimumBytes = 0;
    // Takes the body of the final answer as it arrives; false ends the
    // transfer.
    std::function<bool(QByteArrayView)> sink;
};

struct TransferResult {
    enum class Outcome {
        // A 2xx answer whose whole body went to the sink.
        Completed,
        // The final answer's status was not 2xx; its body was not read.
        BadStatus,
        // A redirect to an address the address rule refuses (`detail`).
        Refused,
        TooManyRedirects,
        TooLarge,
        TooSlow,
        TimedOut,
        // The application is ending.
        Stopped,
        SinkFailed,
        // A network, TLS or protocol fault (`detail` says which, in the
        // network library's words without any user name or password).
        Failed,
    };
    Outcome outcome = Outcome::Failed;
    // The last answer's status; 0 before one came.
    int status = 0;
    QString detail;
};

// Runs `request`: each address, the first and every redirect's, must pass
// isAcceptableAddress(), at most kRedirectLimit redirects are followed, TLS
// peers are verified against the system's certificates, and the proxy is
// chosen per address (see proxyFor()). Returns once the transfer has ended,
// at once when the application ends meanwhile.
TransferResult transfer(const TransferRequest& request);

// Readies the network library, once per process; called on the main thread
// before the first transfer, so that its state belongs to a thread that
// lives as long as the process.
void prepareTransfers();

// Ends every transfer under way at once (they end Stopped); later ones run.
// Called as the application ends.
void endTransfers();

// Trusts these PEM certificates in place of the system's, for tests and
// probes; empty gives the system's back.
void setTrustedCertificates(const QByteArray& pem);

} // namespace velk::UpdateCheck
