#include "services/update/HttpAnswer.h"

#include <QList>
#include <algorithm>

namespace velk::UpdateCheck {

void HttpAnswer::feed(QByteArrayView bytes)
{
    if (!isOpen())
        return;
    m_pending.append(bytes);
    if (m_state == State::Head)
        readHead();
    if (m_state == State::Body)
        readBody();
}

void HttpAnswer::end()
{
    if (m_state == State::Body && m_framing == Framing::UntilEnd)
        m_state = State::Done;
    else if (isOpen())
        fail();
}

void HttpAnswer::readHead()
{
    for (;;) {
        const qsizetype end = m_pending.indexOf("\r\n\r\n", std::max<qsizetype>(0, m_searched - 3));
        if (end < 0 || end > kLineLimit) {
            m_searched = m_pending.size();
            if (end > kLineLimit || m_pending.size() > kLineLimit)
                fail();
            return;
        }
        const QList<QByteArray> lines = m_pending.left(end).split('\n');
        m_pending.remove(0, end + 4);
        m_searched = 0;
        const QList<QByteArray> statusLine = lines.first().trimmed().split(' ');
        bool isNumber = false;
        const int status = statusLine.value(1).toInt(&isNumber);
        if (!statusLine.first().startsWith("HTTP/1.") || !isNumber || status < 100 || status > 999) {
            fail();
            return;
        }
        if (status < 200)
            continue;
        m_status = status;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray name = lines[i].left(colon).trimmed().toLower();
            const QByteArray value = lines[i].mid(colon + 1).trimmed();
            QByteArray& joined = m_headers[name];
            joined = joined.isEmpty() ? value : joined + ", " + value;
        }
        frameBody();
        return;
    }
}

void HttpAnswer::frameBody()
{
    m_state = State::Body;
    if (m_status == 204 || m_status == 304) {
        m_state = State::Done;
    } else if (header("transfer-encoding").toLower().contains("chunked")) {
        m_framing = Framing::Chunked;
    } else if (m_headers.contains("content-length")) {
        bool isNumber = false;
        m_remaining = header("content-length").toLongLong(&isNumber);
        m_framing = Framing::Length;
        if (!isNumber || m_remaining < 0 || m_remaining > m_bodyLimit)
            fail();
        else if (m_remaining == 0)
            m_state = State::Done;
    }
}

void HttpAnswer::readBody()
{
    switch (m_framing) {
    case Framing::UntilEnd:
        takeBody(m_pending.size());
        return;
    case Framing::Length:
        if (takeBody(std::min<qint64>(m_remaining, m_pending.size())) && m_remaining == 0)
            m_state = State::Done;
        return;
    case Framing::Chunked:
        readChunks();
        return;
    }
}

void HttpAnswer::readChunks()
{
    QByteArray line;
    while (m_state == State::Body) {
        switch (m_chunkPart) {
        case ChunkPart::Size: {
            if (!takeLine(line))
                return;
            const qsizetype extension = line.indexOf(';');
            bool isNumber = false;
            m_remaining = (extension < 0 ? line : line.left(extension)).trimmed().toLongLong(&isNumber, 16);
            if (!isNumber || m_remaining < 0 || m_remaining > m_bodyLimit - m_body.size())
                fail();
            m_chunkPart = m_remaining == 0 ? ChunkPart::Trailer : ChunkPart::Data;
            break;
        }
        case ChunkPart::Data:
            if (m_pending.isEmpty() || !takeBody(std::min<qint64>(m_remaining, m_pending.size())))
                return;
            if (m_remaining == 0)
                m_chunkPart = ChunkPart::DataEnd;
            break;
        case ChunkPart::DataEnd:
            if (!takeLine(line))
                return;
            if (!line.isEmpty())
                fail();
            m_chunkPart = ChunkPart::Size;
            break;
        case ChunkPart::Trailer:
            if (!takeLine(line))
                return;
            if (line.isEmpty())
                m_state = State::Done;
            break;
        }
    }
}

bool HttpAnswer::takeLine(QByteArray& line)
{
    const qsizetype end = m_pending.indexOf('\n', m_searched);
    if (end < 0 || end > kLineLimit) {
        m_searched = m_pending.size();
        if (end > kLineLimit || m_pending.size() > kLineLimit)
            fail();
        return false;
    }
    line = m_pending.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    m_pending.remove(0, end + 1);
    m_searched = 0;
    return true;
}

bool HttpAnswer::takeBody(qsizetype count)
{
    const qsizetype room = qsizetype(m_bodyLimit - m_body.size());
    m_body.append(m_pending.left(std::min(count, room)));
    if (count > room) {
        fail();
        return false;
    }
    m_pending.remove(0, count);
    m_searched = 0;
    m_remaining -= count;
    return true;
}

} // namespace velk::UpdateCheck
