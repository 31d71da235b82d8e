// The server-information text as the server sends it: read, written as the
// settings file keeps it, and read again to the same lists.
#include "data/server_info.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzz::Text(data, size);
    (void)IsServerInfoText(text);
    ServerInfo read;
    read.FromText(text);
    KELTON_FUZZ_CHECK(!read.SysAddress.isEmpty());
    const QString written = read.ToText();
    // What the program writes is recognised when it comes back.
    KELTON_FUZZ_CHECK(IsServerInfoText(written));
    if (!fuzz::ServerInfoPlain(read))
        return 0;

    // Written as the settings file keeps it and read again: the same
    // lists and offer, and the text reads back to itself.
    ServerInfo again;
    again.FromText(written);
    // A link followed by a third field keeps its trailing blanks when read,
    // which the line written (link last) then loses.
    KELTON_FUZZ_CHECK_TEXT(again.SysNotify.size() == read.SysNotify.size(), written);
    for (qsizetype i = 0; i < read.SysNotify.size(); ++i) {
        KELTON_FUZZ_SAME(again.SysNotify[i].NotifyText, read.SysNotify[i].NotifyText);
        QString link = read.SysNotify[i].NotifyLink;
        while (link.endsWith(QLatin1Char(' ')))
            link.chop(1);
        KELTON_FUZZ_SAME(again.SysNotify[i].NotifyLink, link);
    }
    KELTON_FUZZ_CHECK_TEXT(again.SysAddress == read.SysAddress, written);
    KELTON_FUZZ_CHECK_TEXT(again.SysNews == read.SysNews, written);
    KELTON_FUZZ_CHECK_TEXT(again.SysShowPage == read.SysShowPage, written);
    KELTON_FUZZ_SAME(again.SysNewEdition, read.SysNewEdition);
    KELTON_FUZZ_SAME(again.SysNewEditionList, read.SysNewEditionList);
    KELTON_FUZZ_SAME(again.SysOther, read.SysOther);
    const QString rewritten = again.ToText();
    ServerInfo third;
    third.FromText(rewritten);
    KELTON_FUZZ_SAME(third.ToText(), rewritten);
    return 0;
}
