// Formula files (ReadWayFileBytes) for each test game: a file of no layout
// gives no formula; what was read is imported, exported as a file again and
// read back to the same formulas; and after the import the game can still
// be saved: its definition, formulas included, fits the data file, and its
// size is counted as it is written.
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "formula/way_file.h"
#include "platform/gbk.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    for (int game = 0; game < fuzz::kGameCount; ++game) {
        CLottorHead head = fuzz::Game(game);
        const int32_t own = head.Ways().OwnConsultIndex();
        const WayFileRead read = ReadWayFileBytes(bytes, own);
        KELTON_FUZZ_CHECK(read.Skipped >= 0);
        if (read.Layout == WayFileLayout::None)
            KELTON_FUZZ_CHECK(read.Records.empty() && read.Skipped == 0);

        const QString before = head.HeadStr();
        const WayImport import = ImportWayRecords(head, QStringLiteral("g"), read);
        // The formulas live in the definition text, which the data file
        // holds only up to its limit: an import the game could not save is
        // refused whole.
        KELTON_FUZZ_CHECK(import.TooLarge ? import.Group < 0 : import.Formulas.size() == read.Records.size());
        KELTON_FUZZ_CHECK(ToGbk(head.HeadStr()).size() <= DataFileHeader::kMaxHeadLen);
        if (read.Layout == WayFileLayout::Empty)
            KELTON_FUZZ_CHECK(import.Group >= 0 && import.Formulas.empty());
        if (read.Records.empty() || import.Group < 0) {
            KELTON_FUZZ_CHECK(head.HeadStr() == before || read.Layout == WayFileLayout::Empty);
            KELTON_FUZZ_CHECK(head.DefinitionBytes(head.Ways()) == ToGbk(head.HeadStr()).size());
            continue;
        }

        const WayFileRead again = ReadWayFileBytes(WayFileBytes(head.Ways(), import.Group), own);
        KELTON_FUZZ_CHECK(again.Layout == WayFileLayout::Current);
        KELTON_FUZZ_CHECK(again.Skipped == 0);
        KELTON_FUZZ_CHECK(again.Records.size() == read.Records.size());
        for (size_t i = 0; i < read.Records.size(); ++i) {
            const WayFileRecord& a = read.Records[i];
            const WayFileRecord& b = again.Records[i];
            KELTON_FUZZ_CHECK(a.ConsultIndex >= 0 && a.ConsultIndex <= own);
            KELTON_FUZZ_SAME(b.Name, a.Name);
            KELTON_FUZZ_SAME(b.Formula, a.Formula);
            KELTON_FUZZ_CHECK(b.ConsultIndex == a.ConsultIndex);
            // A predefined consult row comes back as its expression.
            KELTON_FUZZ_SAME(b.Consult, a.ConsultIndex == own ? a.Consult : head.WayDefConsult(a.ConsultIndex, 1));
        }
        KELTON_FUZZ_CHECK(head.DefinitionBytes(head.Ways()) == ToGbk(head.HeadStr()).size());
    }
    return 0;
}
