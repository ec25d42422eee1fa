#include "services/update/ManifestRequest.h"

#include "services/update/HttpAnswer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>
#include <utility>

namespace velk::UpdateCheck {
namespace {

// What the connection reads from the system before the answer has taken
// it, so that an answer that outruns its reader waits in the network.
constexpr qint64 kReadBufferBytes = 64 * 1024;
// Redirects followed for one manifest.
constexpr int kRedirectLimit = 10;

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// A redirect may lead to https from anywhere, and to http only from http.
bool isNoLessSafe(const QUrl& from, const QUrl& to)
{
    return to.scheme() == QLatin1String("https") || (to.scheme() == QLatin1String("http") && from.scheme() == to.scheme());
}

QByteArray requestFor(const QUrl& url)
{
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (url.port() >= 0)
        host += ':' + QByteArray::number(url.port());
    return "GET " + target + " HTTP/1.1\r\nHost: " + host
        + "\r\nUser-Agent: Velk-Clean-Mac\r\nAccept: application/json\r\nConnection: close\r\n\r\n";
}

// The parent of the requests under way, made on first use and deleted
// among the application object's last routines, while its event
// dispatcher still runs, so that no request or connection outlives it.
QObject* g_requests = nullptr;

void endRequests()
{
    delete g_requests;
    g_requests = nullptr;
}

QObject* requests()
{
    if (!g_requests) {
        g_requests = new QObject;
        qAddPostRoutine(endRequests);
    }
    return g_requests;
}

// One manifest request: a connection at a time (a new one for each
// redirect), the answer read as it arrives, the deadline over all of it.
class ManifestRequest : public QObject {
public:
    ManifestRequest(const NetworkLimits& limits, BodyHandler handler)
        : QObject(requests())
        , m_byteLimit(limits.manifestByteLimit)
        , m_handler(std::move(handler))
    {
        QTimer::singleShot(limits.manifestDeadlineMs, this, [this] { finish(std::nullopt); });
    }

    void ask(const QUrl& url)
    {
        drop();
        const bool tls = url.scheme() == QLatin1String("https");
        if ((!tls && url.scheme() != QLatin1String("http")) || url.host().isEmpty()) {
            QTimer::singleShot(0, this, [this] { finish(std::nullopt); });
            return;
        }
        m_url = url;
        m_answer = HttpAnswer(m_byteLimit);
        QTcpSocket* socket = tls ? new QSslSocket(this) : new QTcpSocket(this);
        m_socket = socket;
        socket->setReadBufferSize(kReadBufferBytes);
        connect(socket, &QTcpSocket::readyRead, this, &ManifestRequest::read);
        connect(socket, &QAbstractSocket::disconnected, this, &ManifestRequest::ended);
        connect(socket, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
            if (error == QAbstractSocket::RemoteHostClosedError)
                ended();
            else
                finish(std::nullopt);
        });
        const quint16 port = quint16(url.port(tls ? 443 : 80));
        if (auto* secure = qobject_cast<QSslSocket*>(socket)) {
            connect(secure, &QSslSocket::encrypted, this, &ManifestRequest::send);
            secure->connectToHostEncrypted(url.host(), port);
        } else {
            connect(socket, &QAbstractSocket::connected, this, &ManifestRequest::send);
            socket->connectToHost(url.host(), port);
        }
    }

private:
    void send() { m_socket->write(requestFor(m_url)); }

    void read()
    {
        while (m_socket && m_answer.isOpen() && m_socket->bytesAvailable() > 0)
            m_answer.feed(m_socket->read(kReadBufferBytes));
        settle();
    }

    void ended()
    {
        if (!m_socket)
            return;
        while (m_answer.isOpen() && m_socket->bytesAvailable() > 0)
            m_answer.feed(m_socket->read(kReadBufferBytes));
        m_answer.end();
        settle();
    }

    void settle()
    {
        if (m_answer.isOpen())
            return;
        const int status = m_answer.status();
        if (m_answer.state() == HttpAnswer::State::Done && isRedirect(status)) {
            const QUrl next = m_url.resolved(QUrl::fromEncoded(m_answer.header("location")));
            if (++m_redirects <= kRedirectLimit && next.isValid() && isNoLessSafe(m_url, next))
                ask(next);
            else
                finish(std::nullopt);
            return;
        }
        if (m_answer.state() == HttpAnswer::State::Done && status >= 200 && status <= 299)
            finish(m_answer.body());
        else
            finish(std::nullopt);
    }

    // Closes the connection at once; its signals no longer reach here.
    void drop()
    {
        if (!m_socket)
            return;
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket->deleteLater();
        m_socket = nullptr;
    }

    void finish(std::optional<QByteArray> body)
    {
        if (!m_handler)
            return;
        const BodyHandler handler = std::exchange(m_handler, {});
        drop();
        deleteLater();
        handler(std::move(body));
    }

    qint64 m_byteLimit;
    BodyHandler m_handler;
    QUrl m_url;
    QPointer<QTcpSocket> m_socket;
    HttpAnswer m_answer;
    int m_redirects = 0;
};

} // namespace

void requestManifest(const QUrl& url, const NetworkLimits& limits, BodyHandler handler)
{
    (new ManifestRequest(limits, std::move(handler)))->ask(url);
}

} // namespace velk::UpdateCheck
