// The upgrade list as the server sends it (GBK). Every entry kept lands
// inside the upgrade folder under names that show as they are, and the
// entries written back as a list read to themselves.
#include <QDir>
#include <QFile>

#include "data/text_helpers.h"
#include "platform/gbk.h"
#include "platform/program_folder.h"
#include "shell/upgrade_list.h"
#include "support.h"

using namespace kelton;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool folderSet = [] {
        SetProgramFolder(fuzz::WorkFolder());
        return true;
    }();
    (void)folderSet;

    const UpgradeList list = ParseUpgradeList(fuzz::Bytes(data, size));
    KELTON_FUZZ_CHECK(list.Refused >= 0 && list.Entries.size() <= UpgradeList::kMaxEntries);
    const QString upgrade = UpgradeFolder() + QLatin1Char('/');
    QString written;
    for (const UpgradeEntry& entry : list.Entries) {
        const QString relative = UpgradeRelativePath(entry);
        KELTON_FUZZ_CHECK_TEXT(!relative.isEmpty(), entry.Folder + entry.FileName);
        for (const QString& part : relative.split(QLatin1Char('/'))) {
            KELTON_FUZZ_CHECK_TEXT(part != QLatin1String(".") && part != QLatin1String(".."), relative);
            KELTON_FUZZ_CHECK_TEXT(!part.isEmpty() && !part.contains(QLatin1Char('\\')) &&
                                       !part.contains(QLatin1Char(':')),
                                   relative);
            KELTON_FUZZ_CHECK_TEXT(QFile::encodeName(part).size() <= 255, relative);
            for (const char32_t c : part.toUcs4())
                KELTON_FUZZ_CHECK_TEXT(!IsHiddenCharacter(c), relative);
        }
        const QString target = UpgradeTargetPath(entry);
        KELTON_FUZZ_CHECK_TEXT(target.startsWith(upgrade) && QDir::cleanPath(target) == target, target);
        written += entry.FileName + QLatin1Char('\t') + entry.FileUrl + QLatin1Char('\t') + entry.Folder +
                   QLatin1Char('\t') + entry.RunFlag + QStringLiteral("\r\n");
    }
    const UpgradeList again = ParseUpgradeList(ToGbk(written));
    KELTON_FUZZ_CHECK_TEXT(again.Refused == 0 && again.Entries == list.Entries, written);
    return 0;
}
