// The HTTP response parser fed a response in pieces: the first byte sets the
// piece size. Whatever the pieces, the outcome and the body are those of the
// whole response fed at once.
#include "support.h"
#include "shell/http_response_parser.h"

using namespace kelton;

namespace {

struct Outcome {
    HttpResponseParser::State state;
    QByteArray body;
    int64_t bodyBytes;
};

Outcome Run(QByteArrayView response, qsizetype piece)
{
    HttpResponseParser parser;
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
    const QByteArrayView response(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    const Outcome whole = Run(response, std::max<qsizetype>(response.size(), 1));
    const Outcome pieces = Run(response, piece);
    KELTON_FUZZ_CHECK(whole.state == pieces.state);
    KELTON_FUZZ_CHECK(whole.body == pieces.body);
    return 0;
}
