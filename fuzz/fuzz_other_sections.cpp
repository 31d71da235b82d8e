// Other-filter panel files read into each page, replacing and appending: a
// text without the page's section, or one that would take the page past its
// 32,767 rows, leaves the page as it was; a page read is exported and
// imported again, and from then on comes back the same.
#include "data/filter_items.h"
#include "otherfilter/other_sections.h"
#include "platform/gbk.h"
#include "support.h"

using namespace kelton;

namespace {

OtherPageState ReadBack(const OtherPageState& page, OtherFilterKind kind, const QString& text)
{
    const QString file = FromGbk(OtherFilterFileBytes(kind, {1, 0}, page));
    OtherPageState back;
    KELTON_FUZZ_CHECK_TEXT(ImportOtherSectionText(file, kind, back, false) == OtherImportOutcome::Imported,
                           text);
    return back;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzz::Text(data, size);
    for (const OtherFilterKind kind :
         {OtherFilterKind::Match, OtherFilterKind::History, OtherFilterKind::Gather}) {
        OtherPageState old;
        old.SubErrEnabled = true;
        old.SubErrText = QStringLiteral("0-1");
        old.Rows = {QStringLiteral("√\t1\t0\tХ\tХ")};

        OtherPageState page = old;
        const OtherImportOutcome outcome = ImportOtherSectionText(text, kind, page, false);
        KELTON_FUZZ_CHECK_TEXT(page.Rows.size() <= kMaxFilterItems, text);
        OtherPageState appended = old;
        const OtherImportOutcome appendOutcome = ImportOtherSectionText(text, kind, appended, true);
        // Appending to the old row passes the limit where replacing just reaches it.
        const bool pastLimit =
            outcome == OtherImportOutcome::Imported && old.Rows.size() + page.Rows.size() > kMaxFilterItems;
        KELTON_FUZZ_CHECK_TEXT(appendOutcome == (pastLimit ? OtherImportOutcome::TooManyItems : outcome), text);
        if (appendOutcome != OtherImportOutcome::Imported)
            KELTON_FUZZ_CHECK_TEXT(appended.Rows == old.Rows, text);
        if (outcome != OtherImportOutcome::Imported) {
            KELTON_FUZZ_CHECK_TEXT(page.Rows == old.Rows && page.SubErrText == old.SubErrText &&
                                       page.SubErrEnabled == old.SubErrEnabled,
                                   text);
            continue;
        }
        if (!pastLimit)
            KELTON_FUZZ_CHECK_TEXT(appended.Rows == old.Rows + page.Rows &&
                                       appended.SubErrText == old.SubErrText && appended.SubErrEnabled,
                                   text);
        const OtherPageState once = ReadBack(page, kind, text);
        const OtherPageState twice = ReadBack(once, kind, text);
        KELTON_FUZZ_CHECK_TEXT(twice.Rows == once.Rows && twice.SubErrEnabled == once.SubErrEnabled &&
                                   twice.SubErrText == once.SubErrText,
                               text);
    }
    return 0;
}
