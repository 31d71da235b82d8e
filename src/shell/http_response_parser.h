#pragma once

#include <cstdint>
#include <limits>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kelton {

// Reads an HTTP response as it arrives, in pieces of any size, and decodes
// its body. It knows nothing of sockets: the downloader feeds it what the
// connection delivers and tells it when the connection has ended.
//
// The header ends at the first CR LF CR LF. Only status 200 is accepted, in a
// status line "HTTP/1.x 200" (with or without a reason); any other first
// line is refused. The body ends when it has the length that Content-Length
// gives, when a chunked body's last chunk has arrived, or, with neither, when
// the connection ends. A body may hold at most the bytes SetMaxBodyBytes
// allows: a longer Content-Length is refused as soon as the header has
// arrived, any other body as soon as it grows past the bound.
class HttpResponseParser {
public:
    enum class State : int8_t {
        Header,     // the end of the header has not arrived yet
        Body,       // status 200; the body is arriving
        Complete,   // the whole body has arrived
        Refused,    // the status was not 200, or the first line is no HTTP/1.x status line
        Malformed,  // the response cannot be read (bad length, bad chunk, header too long)
        Truncated,  // the connection ended before the response was complete
        TooLarge,   // the body is longer than the bound
    };

    enum class Framing : int8_t {
        UntilClose,  // neither a length nor chunked coding: the body runs until the connection ends
        Length,      // Content-Length
        Chunked,     // Transfer-Encoding ending in "chunked"
    };

    // Longest header accepted, longest line of the chunked coding, and the
    // most the trailer after the last chunk may hold.
    static constexpr qsizetype kMaxHeaderBytes = 64 * 1024;
    static constexpr qsizetype kMaxChunkLineBytes = 4 * 1024;
    static constexpr qsizetype kMaxTrailerBytes = kMaxHeaderBytes;

    // Starts over for a new response; the bound on the body stays.
    void Reset();

    // The most decoded body bytes a response may have (no bound until set).
    void SetMaxBodyBytes(int64_t bytes) { m_maxBodyBytes = bytes; }
    int64_t MaxBodyBytes() const { return m_maxBodyBytes; }

    // Takes the next bytes of the response and returns the state after them.
    // Bytes that arrive after a final state are ignored.
    State Feed(QByteArrayView bytes);

    // The connection has ended. A body that runs until the end is complete
    // when it holds at least one byte; anything else unfinished is cut short.
    State Close();

    // Decoded body bytes that arrived since the last call.
    QByteArray TakeBody();

    State GetState() const { return m_state; }
    bool IsFinal() const { return m_state != State::Header && m_state != State::Body; }

    // Known once the header has arrived.
    const QString& HeaderText() const { return m_headerText; }
    const QByteArray& StatusCode() const { return m_status; }  // empty without a status line
    Framing GetFraming() const { return m_framing; }
    int64_t ContentLength() const { return m_contentLength; }  // -1 when not given

    // Decoded body bytes received so far.
    int64_t BodyBytes() const { return m_bodyBytes; }

private:
    enum class ChunkStep : int8_t { Size, Data, DataEnd, Trailer };

    void ParseHeader(qsizetype headerEnd);
    bool ReadHeaderFields(QByteArrayView header);
    void FeedBody(QByteArrayView bytes);
    void FeedChunked(QByteArrayView bytes);
    void ChunkLine(QByteArrayView line);
    void AddBody(QByteArrayView bytes);

    State m_state = State::Header;
    QByteArray m_head;
    QString m_headerText;
    QByteArray m_status;
    Framing m_framing = Framing::UntilClose;
    int64_t m_contentLength = -1;
    int64_t m_bodyBytes = 0;
    int64_t m_maxBodyBytes = std::numeric_limits<int64_t>::max();
    QByteArray m_body;

    ChunkStep m_chunkStep = ChunkStep::Size;
    int64_t m_chunkLeft = 0;
    qsizetype m_trailerBytes = 0;
    QByteArray m_line;
};

}  // namespace kelton
