#include "shell/http_response_parser.h"

#include <algorithm>
#include <utility>

#include <QList>

#include "platform/gbk.h"

namespace kelton {

namespace {

constexpr int64_t kMaxChunkSize = int64_t{1} << 60;

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsBlankOrTab(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The status of a status line "HTTP/1.x nnn reason" (the reason may be
// missing); empty for any other first line.
QByteArray StatusOf(QByteArrayView header)
{
    const qsizetype nl = header.indexOf('\n');
    QByteArrayView line = nl < 0 ? header : header.first(nl);
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.size() < 12 || !line.startsWith("HTTP/1.") || !IsDigit(line[7]) || line[8] != ' ')
        return {};
    const QByteArrayView status = line.sliced(9, 3);
    if (!std::all_of(status.begin(), status.end(), IsDigit) || (line.size() > 12 && line[12] != ' '))
        return {};
    return status.toByteArray();
}

// A Content-Length value: decimal digits only, at most 18 of them.
int64_t ParseLength(QByteArrayView value)
{
    if (value.isEmpty() || value.size() > 18)
        return -1;
    int64_t n = 0;
    for (char c : value) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

void HttpResponseParser::Reset()
{
    const int64_t maxBodyBytes = m_maxBodyBytes;
    *this = HttpResponseParser();
    m_maxBodyBytes = maxBodyBytes;
}

HttpResponseParser::State HttpResponseParser::Feed(QByteArrayView bytes)
{
    if (IsFinal() || bytes.isEmpty())
        return m_state;
    if (m_state == State::Body) {
        FeedBody(bytes);
        return m_state;
    }

    // The end of the header may straddle two pieces: search again from the
    // last three bytes already held.
    const qsizetype from = std::max<qsizetype>(0, m_head.size() - 3);
    m_head.append(bytes.data(), bytes.size());
    const qsizetype end = m_head.indexOf("\r\n\r\n", from);
    if (end < 0 || end > kMaxHeaderBytes) {
        if (m_head.size() > kMaxHeaderBytes + 3)
            m_state = State::Malformed;
        return m_state;
    }
    ParseHeader(end);
    const QByteArray rest = m_head.mid(end + 4);
    m_head.clear();
    if (m_state == State::Body)
        FeedBody(rest);
    return m_state;
}

HttpResponseParser::State HttpResponseParser::Close()
{
    switch (m_state) {
    case State::Header:
        m_state = State::Truncated;
        break;
    case State::Body:
        if (m_framing == Framing::UntilClose)
            m_state = m_bodyBytes > 0 ? State::Complete : State::Truncated;
        else if (m_framing == Framing::Chunked && m_chunkStep == ChunkStep::Trailer)
            m_state = State::Complete;  // the last chunk arrived; only the closing line is missing
        else
            m_state = State::Truncated;
        break;
    default:
        break;
    }
    return m_state;
}

QByteArray HttpResponseParser::TakeBody()
{
    return std::exchange(m_body, QByteArray());
}

void HttpResponseParser::ParseHeader(qsizetype headerEnd)
{
    const QByteArrayView header(m_head.constData(), headerEnd);
    m_headerText = FromGbk(header);
    m_status = StatusOf(header);
    if (m_status != "200") {
        m_state = State::Refused;
        return;
    }
    if (!ReadHeaderFields(header)) {
        m_state = State::Malformed;
        return;
    }
    if (m_framing == Framing::Length && m_contentLength > m_maxBodyBytes) {
        m_state = State::TooLarge;
        return;
    }
    m_state = (m_framing == Framing::Length && m_contentLength == 0) ? State::Complete : State::Body;
}

bool HttpResponseParser::ReadHeaderFields(QByteArrayView header)
{
    bool hasCoding = false;
    QByteArray lastCoding;
    const QList<QByteArray> lines = header.toByteArray().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            const int64_t n = ParseLength(value);
            if (n < 0 || (m_contentLength >= 0 && n != m_contentLength))
                return false;
            m_contentLength = n;
        } else if (name == "transfer-encoding") {
            hasCoding = true;
            for (const QByteArray& coding : value.split(',')) {
                const QByteArray c = coding.trimmed().toLower();
                if (!c.isEmpty())
                    lastCoding = c;
            }
        }
    }
    if (hasCoding) {
        // A coding other than chunked last leaves the end to the connection.
        m_framing = lastCoding == "chunked" ? Framing::Chunked : Framing::UntilClose;
        if (m_framing == Framing::Chunked)
            m_contentLength = -1;
    } else if (m_contentLength >= 0) {
        m_framing = Framing::Length;
    }
    return true;
}

void HttpResponseParser::FeedBody(QByteArrayView bytes)
{
    switch (m_framing) {
    case Framing::UntilClose:
        AddBody(bytes);
        break;
    case Framing::Length: {
        const int64_t left = m_contentLength - m_bodyBytes;
        AddBody(bytes.first(static_cast<qsizetype>(std::min<int64_t>(left, bytes.size()))));
        if (m_state == State::Body && m_bodyBytes == m_contentLength)
            m_state = State::Complete;
        break;
    }
    case Framing::Chunked:
        FeedChunked(bytes);
        break;
    }
}

void HttpResponseParser::FeedChunked(QByteArrayView bytes)
{
    qsizetype pos = 0;
    while (pos < bytes.size() && m_state == State::Body) {
        if (m_chunkStep == ChunkStep::Data) {
            const qsizetype take = static_cast<qsizetype>(std::min<int64_t>(m_chunkLeft, bytes.size() - pos));
            AddBody(bytes.sliced(pos, take));
            m_chunkLeft -= take;
            pos += take;
            if (m_chunkLeft == 0)
                m_chunkStep = ChunkStep::DataEnd;
            continue;
        }
        // Size lines, the line end after each chunk and the trailer are lines.
        const qsizetype nl = bytes.indexOf('\n', pos);
        const qsizetype stop = nl < 0 ? bytes.size() : nl;
        m_line.append(bytes.data() + pos, stop - pos);
        if (m_line.size() > kMaxChunkLineBytes) {
            m_state = State::Malformed;
            return;
        }
        if (nl < 0)
            return;
        pos = nl + 1;
        if (m_line.endsWith('\r'))
            m_line.chop(1);
        ChunkLine(m_line);
        m_line.clear();
    }
}

void HttpResponseParser::ChunkLine(QByteArrayView line)
{
    switch (m_chunkStep) {
    case ChunkStep::Size: {
        int64_t size = 0;
        qsizetype i = 0;
        for (; i < line.size(); ++i) {
            const int v = HexValue(line[i]);
            if (v < 0)
                break;
            if (size > kMaxChunkSize / 16) {
                m_state = State::Malformed;
                return;
            }
            size = size * 16 + v;
        }
        if (i == 0) {
            m_state = State::Malformed;
            return;
        }
        while (i < line.size() && IsBlankOrTab(line[i]))
            ++i;
        if (i < line.size() && line[i] != ';') {  // only extensions may follow the size
            m_state = State::Malformed;
            return;
        }
        if (size > m_maxBodyBytes - m_bodyBytes) {
            m_state = State::TooLarge;
        } else if (size == 0) {
            m_chunkStep = ChunkStep::Trailer;
        } else {
            m_chunkLeft = size;
            m_chunkStep = ChunkStep::Data;
        }
        break;
    }
    case ChunkStep::DataEnd:
        if (!line.isEmpty()) {
            m_state = State::Malformed;
            return;
        }
        m_chunkStep = ChunkStep::Size;
        break;
    case ChunkStep::Trailer:
        m_trailerBytes += line.size() + 1;
        if (line.isEmpty())
            m_state = State::Complete;
        else if (m_trailerBytes > kMaxTrailerBytes)
            m_state = State::Malformed;
        break;
    case ChunkStep::Data:
        break;
    }
}

void HttpResponseParser::AddBody(QByteArrayView bytes)
{
    if (bytes.size() > m_maxBodyBytes - m_bodyBytes) {
        m_state = State::TooLarge;
        return;
    }
    m_body.append(bytes.data(), bytes.size());
    m_bodyBytes += bytes.size();
}

}  // namespace kelton
