#pragma once

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <memory>

namespace velk::test {

// An HTTP or HTTPS server on 127.0.0.1 (port chosen by the system) that
// answers by path from canned responses and records every request, in
// order, with the events "request PATH" and "response PATH". Runs on the
// thread that creates it, through its event loop.
class LoopbackServer : public QObject {
public:
    enum class Scheme { Http, Https };

    struct Response {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/json";
        // Reads the request and never answers (the connection stays open).
        bool silent = false;
        // Answers only when release() is called for the path.
        bool held = false;
        // When 0 or more: status 200 and a chunked body that never ends,
        // `body` again every `repeatMs` once the client has taken the last.
        int repeatMs = -1;
        // When set, the answer's Location header.
        QByteArray location;
        // How a body that never ends says where it ends: in chunks, in one
        // chunk of `declaredLength` bytes, by a Content-Length of
        // `declaredLength`, neither ever reached, or not at all (up to the
        // end of the connection).
        enum class Framing { Chunked, OneChunk, Length, UntilClose } framing = Framing::Chunked;
        qint64 declaredLength = 0;
    };

    struct Request {
        QByteArray method;
        QByteArray target;  // path and query as sent
        QHash<QByteArray, QByteArray> headers;  // lower-case names
        QList<QByteArray> headerNames;          // as sent, in order

        QUrl url() const { return QUrl::fromEncoded("http://h" + target); }
        QString path() const { return url().path(); }
    };

    explicit LoopbackServer(Scheme scheme = Scheme::Http)
        : m_scheme(scheme)
    {
        if (scheme == Scheme::Https) {
            auto* server = new QSslServer(this);
            server->setSslConfiguration(serverConfiguration());
            m_server = server;
        } else {
            m_server = new QTcpServer(this);
        }
        connect(m_server, &QTcpServer::pendingConnectionAvailable, this, &LoopbackServer::accept);
        m_server->listen(QHostAddress::LocalHost, 0);
    }

    bool isListening() const { return m_server->isListening(); }
    QUrl baseUrl() const
    {
        return QUrl(QStringLiteral("%1://127.0.0.1:%2")
                        .arg(m_scheme == Scheme::Https ? "https" : "http")
                        .arg(m_server->serverPort()));
    }
    QUrl url(const QString& path) const
    {
        QUrl u = baseUrl();
        u.setPath(path);
        return u;
    }

    void respond(const QString& path, Response response) { m_responses.insert(path, std::move(response)); }
    void respond(const QString& path, int status, QByteArray body)
    {
        Response r;
        r.status = status;
        r.body = std::move(body);
        respond(path, std::move(r));
    }
    // Answers every path not given a response of its own.
    void respondToAll(Response response) { m_fallback = std::move(response); }

    // Sends the held answer of `path`, if its request has arrived.
    void release(const QString& path)
    {
        for (auto it = m_held.begin(); it != m_held.end(); ++it) {
            if (it->path == path) {
                Held h = *it;
                m_held.erase(it);
                if (h.socket)
                    send(h.socket, h.path, h.response);
                return;
            }
        }
    }

    QList<Request> requests() const { return m_requests; }
    QList<Request> requestsFor(const QString& path) const
    {
        QList<Request> found;
        for (const Request& r : m_requests)
            if (r.path() == path)
                found.append(r);
        return found;
    }
    QStringList events() const { return m_events; }
    // Body bytes sent so far by bodies that never end.
    qint64 streamedBytes() const { return m_streamed; }
    // Connections the server has accepted and not yet seen closed.
    int openConnections() const { return m_open; }

    // The self-signed certificate of every HTTPS server in this process (for
    // 127.0.0.1), made on first use with the openssl tool.
    static const QSslCertificate& certificate() { return identity().certificate; }

private:
    struct Identity {
        QSslCertificate certificate;
        QSslKey key;
    };
    struct Held {
        QPointer<QTcpSocket> socket;
        QString path;
        Response response;
    };

    static const Identity& identity()
    {
        static const Identity made = [] {
            Identity id;
            QTemporaryDir dir;
            const QString key = dir.filePath("key.pem");
            const QString cert = dir.filePath("cert.pem");
            QProcess openssl;
            openssl.start("openssl", {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                                      "-nodes", "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1",
                                      "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost"});
            openssl.waitForFinished(60000);
            QFile certFile(cert);
            QFile keyFile(key);
            if (certFile.open(QIODevice::ReadOnly))
                id.certificate = QSslCertificate(certFile.readAll(), QSsl::Pem);
            if (keyFile.open(QIODevice::ReadOnly))
                id.key = QSslKey(keyFile.readAll(), QSsl::Ec, QSsl::Pem);
            return id;
        }();
        return made;
    }

    static QSslConfiguration serverConfiguration()
    {
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(identity().certificate);
        configuration.setPrivateKey(identity().key);
        configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
        return configuration;
    }

    void accept()
    {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            ++m_open;
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QObject::destroyed, this, [this] { --m_open; });
        }
    }

    void readFrom(QTcpSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        m_buffers.remove(socket);
        Request request;
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.target = first.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray name = line.left(colon).trimmed();
            request.headerNames.append(name);
            request.headers.insert(name.toLower(), line.mid(colon + 1).trimmed());
        }
        m_requests.append(request);
        const QString path = request.path();
        m_events.append("request " + path);
        const Response response = m_responses.value(path, m_fallback);
        if (response.silent)
            return;
        if (response.held) {
            m_held.append({socket, path, response});
            return;
        }
        send(socket, path, response);
    }

    void send(QTcpSocket* socket, const QString& path, const Response& response)
    {
        if (response.repeatMs >= 0) {
            stream(socket, path, response);
            return;
        }
        QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
        head += "Content-Type: " + response.contentType + "\r\n";
        if (!response.location.isEmpty())
            head += "Location: " + response.location + "\r\n";
        head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        head += "Connection: close\r\n\r\n";
        socket->write(head + response.body);
        socket->flush();
        socket->disconnectFromHost();
        m_events.append("response " + path);
    }

    void stream(QTcpSocket* socket, const QString& path, const Response& response)
    {
        using Framing = Response::Framing;
        const bool chunked = response.framing == Framing::Chunked || response.framing == Framing::OneChunk;
        const QByteArray framing = chunked ? "Transfer-Encoding: chunked\r\n"
            : response.framing == Framing::Length ? "Content-Length: " + QByteArray::number(response.declaredLength) + "\r\n"
                                                  : "Connection: close\r\n";
        socket->write("HTTP/1.1 200 OK\r\n" + framing + "\r\n");
        if (response.framing == Framing::OneChunk)
            socket->write(QByteArray::number(response.declaredLength, 16) + "\r\n");
        m_events.append("response " + path);
        const QByteArray chunk = response.framing == Framing::Chunked
            ? QByteArray::number(response.body.size(), 16) + "\r\n" + response.body + "\r\n"
            : response.body;
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [this, socket, chunk, size = response.body.size()] {
            if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() == 0) {
                socket->write(chunk);
                m_streamed += size;
            }
        });
        timer->start(response.repeatMs);
    }

    Scheme m_scheme;
    QTcpServer* m_server = nullptr;
    QHash<QString, Response> m_responses;
    Response m_fallback{404, "not found", "text/plain", false, false, -1, {}, {}, 0};
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QList<Request> m_requests;
    QList<Held> m_held;
    QStringList m_events;
    std::atomic<qint64> m_streamed{0};
    std::atomic<int> m_open{0};
};

} // namespace velk::test
