#include "otherfilter/other_sections.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "data/filter_items.h"
#include "platform/gbk.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

// A match row: on, 1 2 3 for any position, 1 to 3 hits, kept, tolerated.
const QString kMatchRow = u"√\t1 2 3\t1-3\tХ\t√"_s;

class OtherSectionFiles : public test::ProgramFolderTest {
protected:
    QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    void WriteBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

TEST_F(OtherSectionFiles, ExportWritesTheSectionAndImportGivesThePageBack)
{
    OtherPageState page;
    page.SubErrEnabled = true;
    page.SubErrText = u"0-1"_s;
    page.Rows = {kMatchRow, u"Х\t4,5,6\t0\t√\tХ"_s};
    const QString path = Path(u"a.mth"_s);
    ASSERT_TRUE(WriteOtherFilterFile(path, OtherFilterKind::Match, {1, 0}, page));
    EXPECT_EQ(ReadBytes(path), ToGbk(u"[FilterMatch]\r\nEnabled=1\r\nErrEnabled=0\r\nSubErrEnabled=1\r\n"
                                     u"SubErrVal=0-1\r\nVal=True\t1 2 3\t1-3\tFalse\tTrue\r\n"
                                     u"Val=False\t4,5,6\t0\tTrue\tFalse\r\n"_s));

    OtherPageState back;
    back.Rows = {u"old"_s};
    ASSERT_EQ(ImportOtherFilterFile(path, OtherFilterKind::Match, back, false), OtherImportOutcome::Imported);
    EXPECT_TRUE(back.SubErrEnabled);
    EXPECT_EQ(back.SubErrText, page.SubErrText);
    EXPECT_EQ(back.Rows, page.Rows);

    // The history and generating/restraining pages round-trip alike; the
    // latter's file names its tolerance "ErrVal".
    for (const OtherFilterKind kind : {OtherFilterKind::History, OtherFilterKind::Gather}) {
        OtherPageState other;
        other.SubErrText = u"2"_s;
        other.Rows = {u"√\t0\t全部\t0-2\t1\tХ\tХ"_s};
        const QString file = Path(u"b"_s);
        ASSERT_TRUE(WriteOtherFilterFile(file, kind, {0, 1}, other));
        const QString key = kind == OtherFilterKind::Gather ? u"ErrVal=2"_s : u"SubErrVal=2"_s;
        EXPECT_TRUE(FromGbk(ReadBytes(file)).contains(u"\r\n"_s + key + u"\r\n"_s));
        OtherPageState read;
        read.SubErrEnabled = true;
        ASSERT_EQ(ImportOtherFilterFile(file, kind, read, false), OtherImportOutcome::Imported);
        EXPECT_FALSE(read.SubErrEnabled);
        EXPECT_EQ(read.SubErrText, u"2"_s);
        EXPECT_EQ(read.Rows, other.Rows);
    }
}

TEST_F(OtherSectionFiles, AFailedExportSaysWhyAndNeverBlamesTheItems)
{
    const QString path = Path(u"no/such/folder/a.mth"_s);
    const SaveOutcome out = WriteOtherFilterFile(path, OtherFilterKind::Match, {}, {});
    EXPECT_FALSE(out.Ok);
    EXPECT_FALSE(out.Reason.isEmpty());
    EXPECT_EQ(OtherExportFailure(path, out.Reason), u"导出失败，无法写入文件："_s + path + u'\n' + out.Reason);
}

// Files past 32 MB are neither read nor written: reading one took a minute
// and a gigabyte on the window thread.
TEST_F(OtherSectionFiles, FilesOverTheCapAreRefusedBothWays)
{
    const QString huge = Path(u"huge.mth"_s);
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[FilterMatch]\r\n");
        ASSERT_TRUE(file.resize(kMaxOtherFilterFileBytes + 1));
    }
    OtherPageState page;
    page.Rows = {kMatchRow};
    EXPECT_EQ(ImportOtherFilterFile(huge, OtherFilterKind::Match, page, false), OtherImportOutcome::TooLarge);
    EXPECT_EQ(page.Rows, QStringList{kMatchRow});
    EXPECT_EQ(OtherImportFailure(OtherFilterKind::Match, OtherImportOutcome::TooLarge),
              u"导入失败，文件大于 32 MB，不是有效的过滤文件！"_s);
    ASSERT_TRUE(QFile::resize(huge, kMaxOtherFilterFileBytes));
    EXPECT_EQ(ImportOtherFilterFile(huge, OtherFilterKind::Match, page, false), OtherImportOutcome::Imported);

    OtherPageState big;
    big.Rows = QStringList(33, QString(1 << 20, u'1'));
    const SaveOutcome out = WriteOtherFilterFile(Path(u"big.mth"_s), OtherFilterKind::Match, {}, big);
    EXPECT_FALSE(out.Ok);
    EXPECT_EQ(out.Reason, u"文件将大于 32 MB，超过了可以导入的上限"_s);
    EXPECT_FALSE(QFile::exists(Path(u"big.mth"_s)));
}

// A page takes at most 32,767 rows: an import past that changes nothing
// and says so, never keeping part of the file.
TEST(OtherSectionText, AnImportPastThePageLimitChangesNothing)
{
    const struct {
        int had;
        int read;
        bool append;
        OtherImportOutcome outcome;
    } cases[] = {
        {5, kMaxFilterItems, false, OtherImportOutcome::Imported},
        {5, kMaxFilterItems + 1, false, OtherImportOutcome::TooManyItems},
        {5, 40000, false, OtherImportOutcome::TooManyItems},
        {kMaxFilterItems - 2, 2, true, OtherImportOutcome::Imported},
        {kMaxFilterItems - 2, 3, true, OtherImportOutcome::TooManyItems},
    };
    for (const auto& c : cases) {
        OtherSectionRead read;
        read.Found = true;
        read.Rows = QStringList(c.read, kMatchRow);
        OtherPageState page;
        page.Rows = QStringList(c.had, u"old"_s);
        EXPECT_EQ(ApplyOtherSection(read, page, c.append), c.outcome) << c.had << " + " << c.read;
        const qsizetype expected = c.outcome != OtherImportOutcome::Imported ? c.had
                                   : c.append                                 ? c.had + c.read
                                                                              : c.read;
        EXPECT_EQ(page.Rows.size(), expected) << c.had << " + " << c.read;
    }
    EXPECT_EQ(OtherImportFailure(OtherFilterKind::History, OtherImportOutcome::TooManyItems),
              u"导入失败，导入后将超过每页最多 32767 项！"_s);
    EXPECT_EQ(OtherImportFailure(OtherFilterKind::History, OtherImportOutcome::NoSection),
              u"导入失败，请检查文件是否合法！"_s);
}

TEST(OtherSectionText, AppendAddsRowsAndKeepsTheTolerance)
{
    OtherPageState page;
    page.SubErrEnabled = true;
    page.SubErrText = u"0-1"_s;
    page.Rows = {u"a"_s, u"b"_s};
    const QString text = u"[FilterMatch]\r\nSubErrEnabled=0\r\nSubErrVal=5\r\nVal=c\r\nVal=d\r\nVal=e\r\n"_s;
    ASSERT_EQ(ImportOtherSectionText(text, OtherFilterKind::Match, page, true), OtherImportOutcome::Imported);
    // The grid numbers them 3, 4 and 5.
    EXPECT_EQ(page.Rows, QStringList({u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}));
    EXPECT_TRUE(page.SubErrEnabled);
    EXPECT_EQ(page.SubErrText, u"0-1"_s);
}

TEST(OtherSectionText, ATextWithoutThePagesSectionChangesNothing)
{
    const QString schemeGather = u"[FilterMatch]\r\nVal=x\r\n"_s;
    struct Case {
        const char* Name;
        QString Text;
    };
    const Case cases[] = {
        {"empty", QString()},
        {"other page's section", schemeGather},
        {"keys before any section", u"SubErrEnabled=1\r\nVal=x\r\n"_s},
        {"section in another case", u"[filtergather]\r\nVal=x\r\n"_s},
        {"commented section", u"'[FilterGather]\r\nVal=x\r\n"_s},
    };
    for (const Case& c : cases) {
        for (const bool append : {false, true}) {
            OtherPageState page;
            page.SubErrText = u"1"_s;
            page.Rows = {u"kept"_s};
            EXPECT_EQ(ImportOtherSectionText(c.Text, OtherFilterKind::Gather, page, append),
                      OtherImportOutcome::NoSection)
                << c.Name;
            EXPECT_EQ(page.Rows, QStringList{u"kept"_s}) << c.Name;
            EXPECT_EQ(page.SubErrText, u"1"_s) << c.Name;
        }
    }
    OtherPageState page;
    EXPECT_EQ(ImportOtherFilterFile(u"/no/such/file.gtr"_s, OtherFilterKind::Gather, page, false),
              OtherImportOutcome::ReadFailed);
}

TEST(OtherSectionText, KeyLinesFollowTheirRules)
{
    // Lower-case marks; a blank before "=" makes another key; empty values
    // change nothing; a later line overrides; other sections and keys are
    // ignored; a section met twice is read twice; LF ends lines as well.
    const QString text = u"  [FilterMatch]  \r\n"
                         u"Val=true\t1\t0-1\tfalse\tTRUE  \r\n"
                         u"Val =True\tignored\r\n"
                         u"SubErrEnabled=1\r\n"
                         u"SubErrVal=\r\n"
                         u"'Val=comment\r\n"
                         u"Enabled=1\r\n"
                         u"Other=1\r\n"
                         u"[FilterHistory]\r\n"
                         u"Val=history\r\n"
                         u"[FilterMatch]\n"
                         u"SubErrEnabled=yes\n"
                         u"Val=second\n"_s;
    OtherPageState page;
    page.SubErrEnabled = true;
    page.SubErrText = u"7"_s;
    ASSERT_EQ(ImportOtherSectionText(text, OtherFilterKind::Match, page, false),
              OtherImportOutcome::Imported);
    EXPECT_EQ(page.Rows, QStringList({u"√\t1\t0-1\tХ\t√"_s, u"second"_s}));
    EXPECT_FALSE(page.SubErrEnabled); // "yes" is not "1"
    EXPECT_EQ(page.SubErrText, u"7"_s);

    // A scheme's generating/restraining section says "SubErrVal", which the
    // page's own file does not: only its rows arrive.
    OtherPageState gather;
    gather.SubErrText = u"3"_s;
    ASSERT_EQ(ImportOtherSectionText(u"[FilterGather]\r\nSubErrVal=0-2\r\nErrVal=\r\nVal=row\r\n"_s,
                                     OtherFilterKind::Gather, gather, false),
              OtherImportOutcome::Imported);
    EXPECT_EQ(gather.SubErrText, u"3"_s);
    EXPECT_EQ(gather.Rows, QStringList{u"row"_s});

    // A section with nothing under it empties the page it replaces.
    OtherPageState emptied;
    emptied.Rows = {u"gone"_s};
    ASSERT_EQ(ImportOtherSectionText(u"[FilterHistory]"_s, OtherFilterKind::History, emptied, false),
              OtherImportOutcome::Imported);
    EXPECT_TRUE(emptied.Rows.isEmpty());
}

TEST(OtherSectionText, DialogTextsAndFilters)
{
    EXPECT_EQ(OtherFileFilter(OtherFilterKind::History, u"凯"_s),
              u"凯历史开奖过滤(*.hty)|*.hty|文本文件(*.txt)|*.txt"_s);
    const OtherFileTextSet gather = OtherFileTexts(OtherFilterKind::Gather);
    EXPECT_EQ(gather.ExportTitle, u"导出相生相克过滤设置"_s);
    EXPECT_EQ(gather.ImportTitle, u"导入相生相克过滤"_s);
    EXPECT_EQ(gather.ExportDone, u"恭喜，成功导出相生相克过滤设置！"_s);
    EXPECT_EQ(gather.ImportDone, u"恭喜，成功导入相生相克过滤！"_s);
    EXPECT_EQ(gather.ImportFailed, u"导入失败，请检查文件是否合法！"_s);
    EXPECT_EQ(OtherFileTexts(OtherFilterKind::Match).ImportDone, u"恭喜，成功导入匹配过滤！"_s);
}

} // namespace
} // namespace kelton
