#include "shell/upgrade_list.h"

#include <string>

#include <QDir>

#include <gtest/gtest.h>

#include "platform/gbk.h"
#include "platform/string_table.h"
#include "support/test_support.h"

namespace kelton {
namespace {

UpgradeList Parse(const QString& text)
{
    return ParseUpgradeList(ToGbk(text));
}

TEST(UpgradeListTest, LinesAndFields)
{
    const UpgradeList list =
        Parse(QStringLiteral("setup.exe\thttp://a.example/setup.exe\t\\\t1\r\n"
                             "  data.txt \t a.example/data.txt\t\\sub\\ \t 0 \textra\tmore\r\n"
                             "short\tonly\tthree\r\n"
                             "\r\n"
                             "two\tfields\n"
                             "last.dll\tu\t\\\t1"));
    ASSERT_EQ(list.Entries.size(), 3);
    EXPECT_EQ(list.Refused, 0);
    EXPECT_EQ(list.Entries[0],
              (UpgradeEntry{QStringLiteral("setup.exe"), QStringLiteral("http://a.example/setup.exe"),
                            QStringLiteral("\\"), QStringLiteral("1")}));
    // Blanks around fields go; fields after the fourth are ignored.
    EXPECT_EQ(list.Entries[1], (UpgradeEntry{QStringLiteral("data.txt"), QStringLiteral("a.example/data.txt"),
                                             QStringLiteral("\\sub\\"), QStringLiteral("0")}));
    EXPECT_FALSE(list.Entries[1].IsMarkedToRun());
    EXPECT_TRUE(list.Entries[2].IsMarkedToRun());
}

TEST(UpgradeListTest, ChineseNamesReadFromGbk)
{
    const UpgradeList list = Parse(QStringLiteral("说明.txt\tu\t\\文档\\\t0\r\n"));
    ASSERT_EQ(list.Entries.size(), 1);
    EXPECT_EQ(UpgradeRelativePath(list.Entries[0]), QStringLiteral("文档/说明.txt"));
}

TEST(UpgradeListTest, EmptyAndShortListsYieldNothing)
{
    for (const char* text : {"", "\r\n\r\n", "a\tb\tc\r\nd\te\tf\r\n", "a b c d"}) {
        const UpgradeList list = Parse(QString::fromLatin1(text));
        EXPECT_TRUE(list.Entries.isEmpty()) << text;
        EXPECT_EQ(list.Refused, 0) << text;
    }
    EXPECT_TRUE(ParseUpgradeList(QByteArray()).Entries.isEmpty());
}

TEST(UpgradeListTest, EntriesLeavingTheUpgradeFolderAreRefused)
{
    const UpgradeList list = Parse(QStringLiteral("ok.exe\tu\t\\\t1\r\n"
                                                  "evil.exe\tu\t\\..\\..\\\t1\r\n"
                                                  "ok2.txt\tu\t\\a\\\t0\r\n"));
    ASSERT_EQ(list.Entries.size(), 2);
    EXPECT_EQ(list.Refused, 1);
    EXPECT_EQ(list.Entries[1].FileName, QStringLiteral("ok2.txt"));
}

struct PathCase {
    const char* folder;
    const char* name;
    const char* relative; // "" refused
};

// Names at and just over the 255-byte bound (UTF-8 on this system).
const std::string kLongest(255, 'a');
const std::string kTooLong(256, 'a');
const std::string kLongestChinese = [] {
    std::string s;
    for (int i = 0; i < 85; ++i)
        s += "说";
    return s;
}();
const std::string kTooLongChinese = kLongestChinese + "说";
const std::string kTooLongFolder = "\\" + kTooLong + "\\";
const std::string kBlankRun = "invoice.pdf" + std::string(200, ' ') + ".sh";

class UpgradePathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(UpgradePathTest, RelativePath)
{
    const PathCase& c = GetParam();
    const UpgradeEntry entry{QString::fromUtf8(c.name), QStringLiteral("u"), QString::fromUtf8(c.folder),
                             QStringLiteral("0")};
    EXPECT_EQ(UpgradeRelativePath(entry), QString::fromUtf8(c.relative)) << c.folder << " | " << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, UpgradePathTest,
                         ::testing::Values(
                             // The folder goes between "\Upgrade" and the name as written.
                             PathCase{"\\", "setup.exe", "setup.exe"},
                             PathCase{"\\sub\\", "a.txt", "sub/a.txt"}, PathCase{"\\a\\b\\", "c", "a/b/c"},
                             PathCase{"/a/", "c", "a/c"}, PathCase{"\\a", "b.txt", "ab.txt"},
                             PathCase{"\\a.b\\", "x-y.tar.gz", "a.b/x-y.tar.gz"},
                             PathCase{"\\", "Kelton 2.05 setup.exe", "Kelton 2.05 setup.exe"},
                             // Anything that would leave the upgrade folder.
                             PathCase{"", "setup.exe", ""},  // would become "Upgradesetup.exe" beside it
                             PathCase{"sub\\", "a.txt", ""}, // "Upgradesub\a.txt"
                             PathCase{"\\..\\", "a.exe", ""}, PathCase{"\\sub\\..\\..\\", "a.exe", ""},
                             PathCase{"/../", "a.exe", ""}, PathCase{"\\.\\", "a.exe", ""},
                             PathCase{"\\", "..", ""}, PathCase{"\\", ".", ""}, PathCase{"\\", "", ""},
                             PathCase{"\\", "..\\a.exe", ""}, PathCase{"\\", "../a.exe", ""},
                             PathCase{"\\", "sub\\a.exe", ""},
                             PathCase{"\\\\server\\share\\", "a.exe", ""}, // network share
                             PathCase{"\\sub\\\\", "a.exe", ""},           // doubled separator
                             PathCase{"C:\\Windows\\", "a.exe", ""}, PathCase{"\\C:\\", "a.exe", ""},
                             PathCase{"\\", "C:a.exe", ""}, PathCase{"\\", "a.exe:stream", ""},
                             PathCase{"\\", "a\nb", ""}, PathCase{"\\a\x01\\", "b", ""},
                             PathCase{"\\", "a\u0085b", ""},
                             // Names that do not show as they are: format characters
                             // (U+202E shows "invoice\u202Efdp.sh" as "invoicehs.pdf"),
                             // line and paragraph separators.
                             PathCase{"\\", "invoice\u202Efdp.sh", ""}, PathCase{"\\", "a\u200Bb", ""},
                             PathCase{"\\", "set\uFEFFup.exe", ""}, PathCase{"\\", "a\u00ADb", ""},
                             PathCase{"\\", "a\U000E0041b", ""}, PathCase{"\\a\u2066\\", "b", ""},
                             PathCase{"\\", "a\u2028b", ""}, PathCase{"\\", "a\u2029b", ""},
                             PathCase{"\\", "a\u3000b.txt", "a\u3000b.txt"}, // a visible blank stays
                             // Names that hide what they are: the ending pushed out of
                             // sight by a run of blanks, blanks in front or behind,
                             // letters that show as nothing, hidden files, options.
                             PathCase{"\\", kBlankRun.c_str(), ""}, PathCase{"\\", "a\u00A0\u00A0b.sh", ""},
                             PathCase{"\\", "a\u3000\u3000b.sh", ""}, PathCase{"\\", "a \u3000b.sh", ""},
                             PathCase{"\\", " a.exe", ""}, PathCase{"\\", "a.exe ", ""},
                             PathCase{"\\", "a.exe\u00A0", ""}, PathCase{"\\", "\u3000a.exe", ""},
                             PathCase{"\\ a\\", "b", ""}, PathCase{"\\", "a\u3164.sh", ""},
                             PathCase{"\\", "a\u3164\u3164\u3164b", ""}, PathCase{"\\", "a\u2800b", ""},
                             PathCase{"\\", "a\uFFA0b", ""}, PathCase{"\\", ".hidden", ""},
                             PathCase{"\\", "..x", ""}, PathCase{"\\...\\", "x", ""},
                             PathCase{"\\.git\\", "x", ""}, PathCase{"\\", "-rf", ""},
                             PathCase{"\\-a\\", "b", ""},
                             // Names up to 255 bytes.
                             PathCase{"\\", kLongest.c_str(), kLongest.c_str()},
                             PathCase{"\\", kTooLong.c_str(), ""},
                             PathCase{"\\", kLongestChinese.c_str(), kLongestChinese.c_str()},
                             PathCase{"\\", kTooLongChinese.c_str(), ""},
                             PathCase{kTooLongFolder.c_str(), "a", ""}));

TEST(UpgradeRunQuestionTest, ShowsThePathAndTheRealEndingOnALineOfItsOwn)
{
    const struct {
        const char* path;
        const char* ending;
    } cases[] = {
        {"/p/Upgrade/setup.exe", "文件类型：.exe"},
        {"/p/Upgrade/invoice.pdf.sh", "文件类型：.sh"},
        {"/p/Upgrade/sub/README", "文件类型：（无扩展名）"},
    };
    for (const auto& c : cases) {
        const QStringList lines = UpgradeRunQuestion(QString::fromUtf8(c.path)).split(u'\n');
        ASSERT_EQ(lines.size(), 3) << c.path;
        EXPECT_EQ(lines[0], LoadResString(Res::UpgradeRunAsk));
        EXPECT_EQ(lines[1], QDir::toNativeSeparators(QString::fromUtf8(c.path)));
        EXPECT_EQ(lines[2], QString::fromUtf8(c.ending));
    }
}

class UpgradeTargetTest : public test::ProgramFolderTest {};

TEST_F(UpgradeTargetTest, TargetsLieInTheUpgradeFolder)
{
    const QString folder = Path(QStringLiteral("Upgrade"));
    EXPECT_EQ(UpgradeFolder(), folder);
    EXPECT_EQ(UpgradeTargetPath({QStringLiteral("s.exe"), {}, QStringLiteral("\\"), QStringLiteral("1")}),
              folder + QStringLiteral("/s.exe"));
    EXPECT_EQ(UpgradeTargetPath({QStringLiteral("a.txt"), {}, QStringLiteral("\\x\\y\\"), {}}),
              folder + QStringLiteral("/x/y/a.txt"));
    EXPECT_TRUE(UpgradeTargetPath({QStringLiteral("a.txt"), {}, QStringLiteral("\\..\\"), {}}).isEmpty());
}

struct EditionCase {
    const char* text;
    EditionOffer offer;
};

class EditionTest : public ::testing::TestWithParam<EditionCase> {};

TEST_P(EditionTest, ComparedWithTheRunningVersion)
{
    EXPECT_EQ(CompareEdition(QString::fromLatin1(GetParam().text)), GetParam().offer) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditionTest,
    ::testing::Values(EditionCase{"2.1", EditionOffer::Newer}, EditionCase{"2.05", EditionOffer::Newer},
                      EditionCase{" 3 ", EditionOffer::Newer}, EditionCase{"2.04001", EditionOffer::NotNewer},
                      EditionCase{"2.04005", EditionOffer::NotNewer}, // four places: 2.0400 (half to even)
                      EditionCase{"2.04006", EditionOffer::Newer},
                      EditionCase{"2.04", EditionOffer::NotNewer},
                      EditionCase{"2.040", EditionOffer::NotNewer},
                      EditionCase{"1.9", EditionOffer::NotNewer}, EditionCase{"-5", EditionOffer::NotNewer},
                      EditionCase{"99999999999999999999", EditionOffer::Newer},
                      EditionCase{"", EditionOffer::NotNumber}, EditionCase{"v2.1", EditionOffer::NotNumber},
                      EditionCase{"2.1.3", EditionOffer::NotNumber}));

} // namespace
} // namespace kelton
