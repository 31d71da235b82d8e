#include "shell/http_response_parser.h"

#include <algorithm>
#include <limits>
#include <ostream>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kelton {

void PrintTo(HttpResponseParser::State s, std::ostream* os)
{
    static const char* const names[] = {"Header",    "Body",      "Complete", "Refused",
                                        "Malformed", "Truncated", "TooLarge"};
    *os << names[static_cast<int>(s)];
}

namespace {

using State = HttpResponseParser::State;
using Framing = HttpResponseParser::Framing;

struct Outcome {
    State state;
    QByteArray body;
};

constexpr int64_t kNoBound = std::numeric_limits<int64_t>::max();

// Feeds a response in pieces of the given size (0: whole), then, when asked,
// ends the connection.
Outcome Parse(const QByteArray& response, qsizetype piece, bool close, int64_t maxBody = kNoBound)
{
    HttpResponseParser p;
    p.SetMaxBodyBytes(maxBody);
    QByteArray body;
    const qsizetype step = piece > 0 ? piece : std::max<qsizetype>(1, response.size());
    for (qsizetype i = 0; i < response.size(); i += step) {
        p.Feed(QByteArrayView(response).sliced(i, std::min(step, response.size() - i)));
        body += p.TakeBody();
    }
    if (close)
        p.Close();
    body += p.TakeBody();
    return {p.GetState(), body};
}

struct ResponseCase {
    const char* name;
    QByteArray response;
    bool close;  // the server ends the connection after the bytes
    State state;
    QByteArray body;
    int64_t maxBody = kNoBound;  // the bound on the body
};

void PrintTo(const ResponseCase& c, std::ostream* os)
{
    *os << c.name;
}

class ResponseTest : public ::testing::TestWithParam<ResponseCase> {};

// Every response gives the same outcome whether it arrives whole, in
// seven-byte pieces or one byte at a time.
TEST_P(ResponseTest, SameOutcomeForAnySplit)
{
    const ResponseCase& c = GetParam();
    for (qsizetype piece : {qsizetype{0}, qsizetype{7}, qsizetype{1}}) {
        const Outcome o = Parse(c.response, piece, c.close, c.maxBody);
        EXPECT_EQ(o.state, c.state) << c.name << ", pieces of " << piece;
        if (o.state == State::Complete) {
            EXPECT_EQ(o.body, c.body) << c.name << ", pieces of " << piece;
        }
    }
}

const QByteArray k200 = "HTTP/1.1 200 OK\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ResponseTest,
    ::testing::Values(
        ResponseCase{"length", k200 + "Content-Length: 5\r\n\r\nhello", false, State::Complete, "hello"},
        ResponseCase{"length, bytes beyond ignored", k200 + "content-length:  3 \r\n\r\nabcdef", false,
                     State::Complete, "abc"},
        ResponseCase{"length zero", k200 + "Content-Length: 0\r\n\r\n", false, State::Complete, ""},
        ResponseCase{"length, cut short", k200 + "Content-Length: 10\r\n\r\nhello", true, State::Truncated,
                     ""},
        ResponseCase{"length, still arriving", k200 + "Content-Length: 10\r\n\r\nhello", false, State::Body,
                     ""},
        ResponseCase{"until close", k200 + "Content-Type: text/plain\r\n\r\n1,2,3\r\n", true, State::Complete,
                     "1,2,3\r\n"},
        ResponseCase{"until close, still open", k200 + "\r\nabc", false, State::Body, ""},
        ResponseCase{"until close, empty body", k200 + "\r\n", true, State::Truncated, ""},
        ResponseCase{"HTTP/1.0 accepted", "HTTP/1.0 200 OK\r\n\r\nx", true, State::Complete, "x"},
        ResponseCase{"header cut short", "HTTP/1.1 200 OK\r\nContent-Le", true, State::Truncated, ""},
        ResponseCase{"nothing at all", "", true, State::Truncated, ""},
        ResponseCase{"chunked",
                     k200 + "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n7;ext=1\r\n, world\r\n0\r\n\r\n",
                     false, State::Complete, "hello, world"},
        ResponseCase{"chunked, hex sizes and trailer",
                     k200 + "Transfer-Encoding: gzip, Chunked\r\n\r\n"
                            "A\r\n0123456789\r\n1a\r\nabcdefghijklmnopqrstuvwxyz\r\n0\r\nX-Sum: 1\r\n\r\n",
                     false, State::Complete, "0123456789abcdefghijklmnopqrstuvwxyz"},
        ResponseCase{"chunked wins over length",
                     k200 + "Content-Length: 2\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n",
                     false, State::Complete, "abc"},
        ResponseCase{"chunked, bare LF line ends", k200 + "Transfer-Encoding: chunked\r\n\r\n3\nabc\n0\n\n",
                     false, State::Complete, "abc"},
        ResponseCase{"chunked, closed after last chunk",
                     k200 + "Transfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n", true, State::Complete,
                     "abc"},
        ResponseCase{"chunked, cut inside a chunk", k200 + "Transfer-Encoding: chunked\r\n\r\n5\r\nhel", true,
                     State::Truncated, ""},
        ResponseCase{"chunked, cut before last chunk",
                     k200 + "Transfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n", true, State::Truncated, ""},
        ResponseCase{"chunked, bad size", k200 + "Transfer-Encoding: chunked\r\n\r\nzz\r\nabc\r\n", false,
                     State::Malformed, ""},
        ResponseCase{"chunked, junk after size", k200 + "Transfer-Encoding: chunked\r\n\r\n3 x\r\nabc\r\n",
                     false, State::Malformed, ""},
        ResponseCase{"chunked, data longer than its size",
                     k200 + "Transfer-Encoding: chunked\r\n\r\n2\r\nabc\r\n", false, State::Malformed, ""},
        ResponseCase{"chunked, size overflows",
                     k200 + "Transfer-Encoding: chunked\r\n\r\nfffffffffffffffffff\r\n", false,
                     State::Malformed, ""},
        ResponseCase{"bad length", k200 + "Content-Length: -1\r\n\r\nabc", true, State::Malformed, ""},
        ResponseCase{"conflicting lengths", k200 + "Content-Length: 3\r\nContent-Length: 4\r\n\r\nabcd", true,
                     State::Malformed, ""},
        ResponseCase{"404", "HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nbad", true, State::Refused,
                     ""},
        ResponseCase{"302", "HTTP/1.1 302 Found\r\nLocation: http://x/\r\n\r\n", true, State::Refused, ""},
        ResponseCase{"no blank in status line", "200\r\n\r\nabc", true, State::Refused, ""},
        // Only an HTTP/1.x status line with a three-digit status counts.
        ResponseCase{"status without reason", "HTTP/1.1 200\r\n\r\nx", true, State::Complete, "x"},
        ResponseCase{"not HTTP", "FOO 200 whatever\r\n\r\nabc", true, State::Refused, ""},
        ResponseCase{"HTTP/2", "HTTP/2 200 OK\r\n\r\nabc", true, State::Refused, ""},
        ResponseCase{"no minor version", "HTTP/1. 200 OK\r\n\r\nabc", true, State::Refused, ""},
        ResponseCase{"four-digit status", "HTTP/1.1 2000 OK\r\n\r\nabc", true, State::Refused, ""},
        ResponseCase{"two blanks", "HTTP/1.1  200 OK\r\n\r\nabc", true, State::Refused, ""},
        ResponseCase{"200 only on a later line", "HTTP/1.1 OK\r\nX: 200\r\n\r\nabc", true, State::Refused,
                     ""},
        ResponseCase{"text before the version", " HTTP/1.1 200 OK\r\n\r\nabc", true, State::Refused, ""},
        // A body bounded to 5 bytes: a longer length is refused at once, any
        // other body when it grows past the bound.
        ResponseCase{"length at the bound", k200 + "Content-Length: 5\r\n\r\nhello", false, State::Complete,
                     "hello", 5},
        ResponseCase{"length over the bound", k200 + "Content-Length: 6\r\n\r\n", false, State::TooLarge, "",
                     5},
        ResponseCase{"huge length", k200 + "Content-Length: 100000000000000000\r\n\r\n", false,
                     State::TooLarge, "", 5},
        ResponseCase{"until close at the bound", k200 + "\r\nhello", true, State::Complete, "hello", 5},
        ResponseCase{"until close over the bound", k200 + "\r\nhello!", false, State::TooLarge, "", 5},
        ResponseCase{"chunked at the bound",
                     k200 + "Transfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n2\r\nde\r\n0\r\n\r\n", false,
                     State::Complete, "abcde", 5},
        ResponseCase{"chunked over the bound", k200 + "Transfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n3\r\nd",
                     false, State::TooLarge, "", 5},
        ResponseCase{"chunk size over the bound", k200 + "Transfer-Encoding: chunked\r\n\r\n6\r\n", false,
                     State::TooLarge, "", 5}),
    [](const ::testing::TestParamInfo<ResponseCase>& info) { return "Case" + std::to_string(info.index); });

TEST(HttpResponseParser, WaitsForHeaderEndAcrossPieces)
{
    HttpResponseParser p;
    EXPECT_EQ(p.Feed("HTTP/1.1 200 OK\r\nContent-Length: 4\r"), State::Header);
    EXPECT_EQ(p.Feed("\n\r"), State::Header);
    // The header is complete, but no body byte has come yet.
    EXPECT_EQ(p.Feed("\n"), State::Body);
    EXPECT_EQ(p.StatusCode(), QByteArray("200"));
    EXPECT_EQ(p.GetFraming(), Framing::Length);
    EXPECT_EQ(p.ContentLength(), 4);
    EXPECT_EQ(p.HeaderText(), QStringLiteral("HTTP/1.1 200 OK\r\nContent-Length: 4"));
    EXPECT_TRUE(p.TakeBody().isEmpty());
    EXPECT_EQ(p.Feed("ab"), State::Body);
    EXPECT_EQ(p.TakeBody(), QByteArray("ab"));
    EXPECT_EQ(p.Feed("cd"), State::Complete);
    EXPECT_EQ(p.TakeBody(), QByteArray("cd"));
    EXPECT_EQ(p.BodyBytes(), 4);
    // Nothing changes a final state.
    EXPECT_EQ(p.Feed("more"), State::Complete);
    EXPECT_EQ(p.Close(), State::Complete);
    EXPECT_TRUE(p.TakeBody().isEmpty());
}

TEST(HttpResponseParser, BoundsHeaderAndChunkLines)
{
    HttpResponseParser header;
    const QByteArray filler(HttpResponseParser::kMaxHeaderBytes + 8, 'x');
    EXPECT_EQ(header.Feed(k200 + "X: " + filler), State::Malformed);

    HttpResponseParser chunk;
    chunk.Feed(k200 + "Transfer-Encoding: chunked\r\n\r\n");
    EXPECT_EQ(chunk.Feed("1;" + QByteArray(HttpResponseParser::kMaxChunkLineBytes, 'e')), State::Malformed);

    // An endless trailer, in lines of bounded length.
    HttpResponseParser trailer;
    trailer.Feed(k200 + "Transfer-Encoding: chunked\r\n\r\n1\r\nx\r\n0\r\n");
    const QByteArray field = "X-Pad: " + QByteArray(100, 'p') + "\r\n";
    State state = State::Body;
    for (qsizetype sent = 0; state == State::Body && sent <= 2 * HttpResponseParser::kMaxTrailerBytes;
         sent += field.size())
        state = trailer.Feed(field);
    EXPECT_EQ(state, State::Malformed);
}

TEST(HttpResponseParser, ResetStartsOver)
{
    HttpResponseParser p;
    p.Feed("HTTP/1.1 404 Not Found\r\n\r\n");
    ASSERT_EQ(p.GetState(), State::Refused);
    p.Reset();
    EXPECT_EQ(p.Feed(k200 + "Content-Length: 1\r\n\r\nz"), State::Complete);
    EXPECT_EQ(p.TakeBody(), QByteArray("z"));
}

}  // namespace
}  // namespace kelton
