#include "services/update/HttpAnswer.h"

#include <gtest/gtest.h>
#include <algorithm>

namespace velk::UpdateCheck {
namespace {

using State = HttpAnswer::State;

struct AnswerCase {
    const char* name;
    QByteArray bytes;
    bool connectionEnds;
    State state;
    int status;
    QByteArray body;
};

// Each answer is read as one piece and byte by byte, with a body limit of
// 11 bytes.
TEST(HttpAnswer, ReadsTheBodyByItsFramingAndStopsAtTheLimit)
{
    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    const QByteArray chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
    const AnswerCase cases[] = {
        {"declared length", ok + "Content-Length: 5\r\n\r\nhelloIGNORED", false, State::Done, 200, "hello"},
        {"chunks with an extension and a trailer", chunked + "5;x=y\r\nhello\r\n6\r\n world\r\n0\r\nX-T: 1\r\n\r\n",
            false, State::Done, 200, "hello world"},
        {"up to the end of the connection", ok + "\r\nhello", true, State::Done, 200, "hello"},
        {"informational answer passed over", "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n",
            false, State::Done, 404, ""},
        {"length at the limit", ok + "Content-Length: 11\r\n\r\nhello world", false, State::Done, 200, "hello world"},
        {"declared length over the limit", ok + "Content-Length: 12\r\n\r\n", false, State::Failed, 200, ""},
        {"chunk over the limit", chunked + "c\r\n", false, State::Failed, 200, ""},
        {"chunks that pass the limit", chunked + "6\r\nhello \r\n6\r\nworld!\r\n", false, State::Failed, 200, "hello "},
        {"stream that passes the limit", ok + "\r\nhello world!", false, State::Failed, 200, "hello world"},
        {"not HTTP", "SSH-2.0-server\r\n\r\n", false, State::Failed, 0, ""},
        {"chunk size that is no number", chunked + "zz\r\n", false, State::Failed, 200, ""},
        {"body cut short", ok + "Content-Length: 5\r\n\r\nhel", true, State::Failed, 200, "hel"},
        {"head that never ends", ok + "X: " + QByteArray(HttpAnswer::kLineLimit, 'a'), false, State::Failed, 0, ""},
    };
    for (const AnswerCase& c : cases) {
        for (const qsizetype piece : {c.bytes.size(), qsizetype(1)}) {
            SCOPED_TRACE(std::string(c.name) + (piece == 1 ? ", byte by byte" : ", whole"));
            HttpAnswer answer(11);
            for (qsizetype at = 0; at < c.bytes.size(); at += piece)
                answer.feed(QByteArrayView(c.bytes).sliced(at, std::min(piece, c.bytes.size() - at)));
            if (c.connectionEnds)
                answer.end();
            EXPECT_EQ(answer.state(), c.state);
            EXPECT_EQ(answer.status(), c.status);
            EXPECT_EQ(answer.body(), c.body);
        }
    }
}

TEST(HttpAnswer, HeadersAreFoundByTheirNameInLowerCase)
{
    HttpAnswer answer(100);
    answer.feed("HTTP/1.1 302 Found\r\nLocation: /next\r\nX-Two: a\r\nx-two: b\r\nContent-Length: 0\r\n\r\n");
    EXPECT_EQ(answer.state(), State::Done);
    EXPECT_EQ(answer.header("location"), "/next");
    EXPECT_EQ(answer.header("x-two"), "a, b");
    EXPECT_TRUE(answer.header("accept").isEmpty());
}

} // namespace
} // namespace velk::UpdateCheck
