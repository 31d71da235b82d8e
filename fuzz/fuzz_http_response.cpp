// The HTTP response parser fed a response in pieces: the first byte sets the
// piece size (its low five bits) and whether the body is bounded to 64 bytes
// (bit 5). Whatever the pieces, the outcome and the body are those of the
// whole response fed at once; a body that outgrows its bound is refused
// without holding more than the bound.
#include <limits>

#include "support.h"
#include "shell/http_response_parser.h"

using namespace kelton;

namespace {

struct Outcome {
    HttpResponseParser::State state;
    QByteArray body;
    int64_t bodyBytes;
};

Outcome Run(QByteArrayView response, qsizetype piece, int64_t maxBody)
{
    HttpResponseParser parser;
    parser.SetMaxBodyBytes(maxBody);
    QByteArray body;
    for (qsizetype at = 0; at < response.size(); at += piece) {
        const auto state = parser.Feed(response.sliced(at, std::min(piece, response.size() - at)));
        KELTON_FUZZ_CHECK(state == parser.GetState());
        body += parser.TakeBody();
    }
    parser.Close();
    body += parser.TakeBody();
    KELTON_FUZZ_CHECK(parser.IsFinal());
    KELTON_FUZZ_CHECK(parser.BodyBytes() == body.size());
    KELTON_FUZZ_CHECK(parser.BodyBytes() <= maxBody);
    if (parser.GetState() == HttpResponseParser::State::Complete &&
        parser.GetFraming() == HttpResponseParser::Framing::Length)
        KELTON_FUZZ_CHECK(parser.BodyBytes() == parser.ContentLength());
    return {parser.GetState(), body, parser.BodyBytes()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const qsizetype piece = data[0] % 32 + 1;
    const int64_t maxBody = (data[0] & 0x20) ? 64 : std::numeric_limits<int64_t>::max();
    const QByteArrayView response(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    const Outcome whole = Run(response, std::max<qsizetype>(response.size(), 1), maxBody);
    const Outcome pieces = Run(response, piece, maxBody);
    KELTON_FUZZ_CHECK(whole.state == pieces.state);
    // Pieces that arrived before the body outgrew its bound were handed on.
    if (whole.state != HttpResponseParser::State::TooLarge)
        KELTON_FUZZ_CHECK(whole.body == pieces.body);
    return 0;
}
