#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>

namespace velk::UpdateCheck {

// One HTTP/1.1 answer, read as its bytes arrive: the status line and the
// head, then the body by its declared length, in chunks, or up to the end
// of the connection. Informational answers (1xx) before it are passed over.
// The body is kept only up to a limit: an answer whose body is longer, or
// says it is, fails as soon as that shows, and so does one that is not HTTP
// or whose head or chunk lines pass kLineLimit.
class HttpAnswer {
public:
    enum class State { Head, Body, Done, Failed };
    static constexpr qsizetype kLineLimit = 64 * 1024;

    explicit HttpAnswer(qint64 bodyLimit = 0)
        : m_bodyLimit(bodyLimit)
    {
    }

    // The next bytes of the connection; bytes after the end of the answer
    // are left alone.
    void feed(QByteArrayView bytes);
    // The connection ended: an answer whose body runs to the end of the
    // connection is done, any other that is not done yet fails.
    void end();

    State state() const { return m_state; }
    bool isOpen() const { return m_state == State::Head || m_state == State::Body; }
    int status() const { return m_status; }
    // A header's value by its name in lower case (several of one name
    // joined by ", "), empty when the answer has none.
    QByteArray header(const QByteArray& lowerName) const { return m_headers.value(lowerName); }
    const QByteArray& body() const { return m_body; }

private:
    enum class Framing { Length, Chunked, UntilEnd };
    enum class ChunkPart { Size, Data, DataEnd, Trailer };

    void readHead();
    void frameBody();
    void readBody();
    void readChunks();
    // Takes the next line, without its line break, from what is pending.
    bool takeLine(QByteArray& line);
    // Moves `count` pending bytes into the body; false, with the body
    // filled to the limit, when they do not fit.
    bool takeBody(qsizetype count);
    void fail() { m_state = State::Failed; }

    qint64 m_bodyLimit;
    State m_state = State::Head;
    QByteArray m_pending;
    // How much of what is pending has been searched for the end of the
    // head or line in vain, so that a head that trickles in is not
    // searched again from its start.
    qsizetype m_searched = 0;
    int m_status = 0;
    QHash<QByteArray, QByteArray> m_headers;
    Framing m_framing = Framing::UntilEnd;
    ChunkPart m_chunkPart = ChunkPart::Size;
    qint64 m_remaining = 0;
    QByteArray m_body;
};

} // namespace velk::UpdateCheck
