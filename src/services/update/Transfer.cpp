#include "services/update/Transfer.h"

#include "services/update/TransferProxy.h"
#include "services/update/UpdateCheck.h"

#include <QCoreApplication>
#include <QMutex>
#include <atomic>
#include <chrono>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <optional>

namespace velk::UpdateCheck {
namespace {

using Clock = std::chrono::steady_clock;
using Outcome = TransferResult::Outcome;

// How long the transfer loop waits for the network before it looks at its
// stop flag, deadline and stall rule again.
constexpr int kPollMs = 50;

// The stop flag: a transfer whose generation is no longer this one ends.
std::atomic<quint64> g_generation{0};

struct Trust {
    QMutex mutex;
    QByteArray pem;
};

Trust& trust()
{
    static Trust trusted;
    return trusted;
}

// One transfer, as curl's callbacks see it.
struct Run {
    const TransferRequest& request;
    quint64 generation = g_generation.load();
    Clock::time_point deadline = Clock::time_point::max();
    Clock::time_point windowStart = Clock::now();
    qint64 inWindow = 0;
    qint64 received = 0;
    // The answer of the current address.
    int status = 0;
    QByteArray location;
    bool redirected = false;
    // Why a callback ended the transfer.
    std::optional<Outcome> ended;
};

size_t onHeader(char* data, size_t size, size_t count, void* user)
{
    auto& run = *static_cast<Run*>(user);
    const size_t length = size * count;
    const QByteArray line = QByteArray(data, qsizetype(length)).trimmed();
    if (line.startsWith("HTTP/")) {
        run.status = line.split(' ').value(1).toInt();
        run.location.clear();
    } else if (line.left(9).compare("location:", Qt::CaseInsensitive) == 0) {
        run.location = line.mid(9).trimmed();
    } else if (line.isEmpty() && run.status >= 200) {
        // The head has ended: a redirect is followed by the caller, any
        // other status but 2xx is the end, and neither body is read.
        if (run.status >= 300 && run.status <= 399 && !run.location.isEmpty()) {
            run.redirected = true;
            return 0;
        }
        if (run.status > 299) {
            run.ended = Outcome::BadStatus;
            return 0;
        }
    }
    return length;
}

size_t onBody(char* data, size_t size, size_t count, void* user)
{
    auto& run = *static_cast<Run*>(user);
    const auto length = qint64(size * count);
    if (run.request.byteLimit >= 0 && run.received + length > run.request.byteLimit) {
        run.ended = Outcome::TooLarge;
        return 0;
    }
    run.received += length;
    run.inWindow += length;
    if (!run.request.sink(QByteArrayView(data, length))) {
        run.ended = Outcome::SinkFailed;
        return 0;
    }
    return size_t(length);
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto& run = *static_cast<Run*>(user);
    const Clock::time_point now = Clock::now();
    const auto window = std::chrono::milliseconds(run.request.windowMs);
    if (run.generation != g_generation.load())
        run.ended = Outcome::Stopped;
    else if (now >= run.deadline)
        run.ended = Outcome::TimedOut;
    else if (run.request.windowMs > 0 && now - run.windowStart >= window) {
        if (run.inWindow < run.request.minimumBytes)
            run.ended = Outcome::TooSlow;
        run.windowStart = now;
        run.inWindow = 0;
    }
    return run.ended ? 1 : 0;
}

// Runs the easy handle's current request to its end.
CURLcode perform(CURLM* multi, CURL* easy)
{
    curl_multi_add_handle(multi, easy);
    int running = 1;
    while (running) {
        if (curl_multi_perform(multi, &running) != CURLM_OK)
            break;
        if (running)
            curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
    }
    CURLcode code = CURLE_RECV_ERROR;
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &left))
        if (message->msg == CURLMSG_DONE)
            code = message->data.result;
    curl_multi_remove_handle(multi, easy);
    return code;
}

// The options every address of one transfer shares.
void configure(CURL* easy, Run& run, curl_slist* headers, char* error)
{
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    QByteArray pem;
    {
        QMutexLocker lock(&trust().mutex);
        pem = trust().pem;
    }
    curl_blob trusted{pem.data(), size_t(pem.size()), CURL_BLOB_COPY};
    if (!pem.isEmpty())
        curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, &trusted);
    if (run.request.byteLimit >= 0)
        curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(run.request.byteLimit));
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &run);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &run);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &run);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
}

// Whether `c` ends an address in a message: curl quotes the addresses it
// names and sets them apart by white space.
bool endsAddress(QChar c)
{
    return c.isSpace() || c == u'\'' || c == u'"' || c == u'`' || c == u'<' || c == u'>';
}

// The network library's `text` without user information, which it quotes
// along with an address it cannot use (the proxy's above all): every
// "scheme://user:password@" in it loses its "user:password@", and so does
// the proxy's own user information however it is spelled (with no scheme,
// or not an address at all).
QString withoutUserInformation(QString text, const QByteArray& proxy)
{
    const qsizetype at = proxy.lastIndexOf('@');
    if (at >= 0) {
        const qsizetype scheme = proxy.indexOf("://");
        const qsizetype start = scheme >= 0 && scheme < at ? scheme + 3 : 0;
        const QByteArray user = proxy.mid(start, at + 1 - start);
        for (const QByteArray& spelling : {user, QByteArray::fromPercentEncoding(user)})
            text.remove(QString::fromUtf8(spelling));
    }
    for (qsizetype scheme = text.indexOf(QLatin1String("://")); scheme >= 0;
         scheme = text.indexOf(QLatin1String("://"), scheme + 3)) {
        const qsizetype start = scheme + 3;
        qsizetype end = start;
        while (end < text.size() && !endsAddress(text.at(end)))
            ++end;
        const qsizetype userEnd = text.lastIndexOf(u'@', end - 1);
        if (userEnd >= start)
            text.remove(start, userEnd + 1 - start);
    }
    return text;
}

TransferResult finished(Outcome outcome, int status, QString detail = {})
{
    return TransferResult{outcome, status, std::move(detail)};
}

} // namespace

void prepareTransfers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        qAddPostRoutine(endTransfers);
    });
}

void endTransfers()
{
    ++g_generation;
}

void setTrustedCertificates(const QByteArray& pem)
{
    QMutexLocker lock(&trust().mutex);
    trust().pem = pem;
}

TransferResult transfer(const TransferRequest& request)
{
    prepareTransfers();
    Run run{request};
    if (request.deadlineMs > 0)
        run.deadline = Clock::now() + std::chrono::milliseconds(request.deadlineMs);

    const std::unique_ptr<CURL, void (*)(CURL*)> easyHandle(curl_easy_init(), curl_easy_cleanup);
    const std::unique_ptr<CURLM, CURLMcode (*)(CURLM*)> multiHandle(curl_multi_init(), curl_multi_cleanup);
    curl_slist* list = nullptr;
    for (const QByteArray& header : request.headers)
        list = curl_slist_append(list, header.constData());
    const std::unique_ptr<curl_slist, void (*)(curl_slist*)> headers(list, curl_slist_free_all);
    CURL* easy = easyHandle.get();
    if (!easy || !multiHandle)
        return finished(Outcome::Failed, 0, QStringLiteral("cannot start a transfer"));

    char error[CURL_ERROR_SIZE] = {};
    configure(easy, run, headers.get(), error);

    QUrl url = request.url;
    for (int redirects = 0;; ++redirects) {
        // Once the application ends, no further address is asked: the
        // server base and the proxy settings may be going with it.
        if (run.generation != g_generation.load())
            return finished(Outcome::Stopped, run.status);
        if (!isAcceptableAddress(url))
            return finished(Outcome::Refused, run.status, loggableAddress(url));
        if (request.deadlineMs > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(run.deadline - Clock::now());
            if (left.count() <= 0)
                return finished(Outcome::TimedOut, run.status);
            curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, long(left.count()));
        }
        const ProxyChoice proxy = proxyFor(url);
        curl_easy_setopt(easy, CURLOPT_PROXY, proxy.proxy.constData());
        curl_easy_setopt(easy, CURLOPT_NOPROXY, proxy.noProxy.constData());
        curl_easy_setopt(easy, CURLOPT_URL, url.toEncoded().constData());
        run.status = 0;
        run.redirected = false;
        error[0] = '\0';
        const CURLcode code = perform(multiHandle.get(), easy);
        if (run.ended)
            return finished(*run.ended, run.status);
        if (run.redirected) {
            if (redirects == kRedirectLimit)
                return finished(Outcome::TooManyRedirects, run.status, loggableAddress(url));
            url = url.resolved(QUrl::fromEncoded(run.location));
            continue;
        }
        switch (code) {
        case CURLE_OK:
            return finished(run.status >= 200 && run.status <= 299 ? Outcome::Completed : Outcome::BadStatus, run.status);
        case CURLE_FILESIZE_EXCEEDED:
            return finished(Outcome::TooLarge, run.status);
        case CURLE_OPERATION_TIMEDOUT:
            return finished(Outcome::TimedOut, run.status);
        default:
            return finished(Outcome::Failed, run.status,
                            withoutUserInformation(QString::fromUtf8(error[0] ? error : curl_easy_strerror(code)), proxy.proxy));
        }
    }
}

} // namespace velk::UpdateCheck
