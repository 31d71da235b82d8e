// A help page file as the help window reads it (DecodeHtmlPage): any bytes
// decode, and the same bytes behind a head naming GBK are read as GBK.
#include "platform/gbk.h"
#include "platform/help_pages.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    DecodeHtmlPage(bytes);
    const QByteArray gbkPage = "<html><head><meta charset=\"gbk\">" + bytes;
    KELTON_FUZZ_SAME(DecodeHtmlPage(gbkPage), FromGbk(gbkPage));
    return 0;
}
