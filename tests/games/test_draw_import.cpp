#include "games/draw_import.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "data/lottor_head.h"
#include "platform/gbk.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class DrawImportTest : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        test::ProgramFolderTest::SetUp();
        m_head.SetHeadStr(u"[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s);
        ASSERT_TRUE(m_head.Enable());
        m_rows.InsertRow(1, u"101"_s, u"1 2 3"_s);
    }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = Path(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // Reads the file and inserts its draws as the import does.
    ImportFault Import(const QString& path, const QString& format = u"N X X X"_s)
    {
        m_read = DrawTextRead();
        QString text;
        const ImportFault fault = ReadDrawFile(m_head, path, format, text);
        if (fault != ImportFault::None)
            return fault;
        m_read = ParseDrawText(m_rows, m_head, text, format);
        return m_read.Read && !m_read.Failed ? ImportFault::None : ImportFault::NotRecognised;
    }

    CLottorHead m_head;
    CGridData m_cells;
    CGridDataRows m_rows{m_cells};
    DrawTextRead m_read;
};

TEST_F(DrawImportTest, EachFailureHasItsReasonInOrder)
{
    const QString good = Write(u"good.txt"_s, "102 4 5 6\r\n");
    const QString empty = Write(u"empty.txt"_s, "");
    const QString junk = Write(u"junk.txt"_s, ToGbk(u"第一行\r\n没有号码\r\n"_s));
    const struct {
        QString path;
        QString format;
        ImportFault fault;
        QString message;
    } cases[] = {
        {Path(u"missing.txt"_s), u"N X X X"_s, ImportFault::NoFile, u"导入失败，导入文件不存在！"_s},
        {QString(), u"N X X X"_s, ImportFault::NoFile, u"导入失败，导入文件不存在！"_s},
        {Path(QString()), u"N X X X"_s, ImportFault::NoFile, u"导入失败，导入文件不存在！"_s}, // a folder
        // A missing file is reported before a bad format.
        {Path(u"missing.txt"_s), u"N X X"_s, ImportFault::NoFile, u"导入失败，导入文件不存在！"_s},
        {good, u"N X X"_s, ImportFault::BadFormat, u"导入失败，数据的格式不准确！"_s},
        {good, QString(), ImportFault::BadFormat, u"导入失败，数据的格式不准确！"_s}, // an empty list entry
        {empty, u"N X X X"_s, ImportFault::EmptyFile, u"导入失败，文件没有数据！"_s},
        {junk, u"N X X X"_s, ImportFault::NotRecognised,
         u"导入失败，数据无法识别或者其它错误，请设置好导入的格式！"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString() + " / " + c.format.toStdString());
        const ImportFault fault = Import(c.path, c.format);
        EXPECT_EQ(fault, c.fault);
        EXPECT_EQ(ImportFailureText(fault), c.message);
        EXPECT_FALSE(m_read.Read);
        EXPECT_EQ(m_rows.Rows(), 2);
    }
}

TEST_F(DrawImportTest, AFileOverTheCapIsRefusedForItsSize)
{
    const QString path = Write(u"huge.txt"_s, "102 4 5 6\r\n");
    {
        QFile file(path);
        ASSERT_TRUE(file.resize(kMaxImportBytes + 1)); // sparse: no disk taken
    }
    QString text;
    const ImportFault fault = ReadDrawFile(m_head, path, u"N X X X"_s, text);
    EXPECT_EQ(fault, ImportFault::TooLarge);
    EXPECT_EQ(ImportFailureText(fault), u"导入失败，文件超过32MB，不是开奖号码文件，请检查导入的文件是否正确！"_s);
    EXPECT_TRUE(text.isEmpty());
}

TEST(DrawImportRules, TheReportSaysWhatWasAddedAndWhatWasLeftOut)
{
    const auto read = [](bool isRead, int inserted, int known, int skipped) {
        DrawTextRead r;
        r.Read = isRead;
        r.Inserted = inserted;
        r.Known = known;
        r.Skipped = skipped;
        if (skipped > 0) {
            r.FirstSkippedLine = 1;
            r.FirstSkippedText = u"福彩3D"_s;
            r.FirstSkippedFault = DrawLineFault::NotInFormat;
        }
        return r;
    };
    DrawTextRead full = read(true, 5, 0, 0);
    full.Full = true;
    full.StoppedLine = 9;
    DrawTextRead fullBefore = read(true, 0, 0, 0);
    fullBefore.Full = true;
    fullBefore.StoppedLine = 1;
    DrawTextRead stopped;
    stopped.Cancelled = true;
    DrawTextRead failed = read(true, 0, 0, 0);
    failed.Failed = true;
    const QString bad = u"跳过了4行无法导入的数据，第1行“福彩3D”：不符合数据格式。"_s;
    const struct {
        const char* name;
        DrawTextRead read;
        bool failure;
        QString text;
    } cases[] = {
        {"every line a new draw", read(true, 3, 0, 0), false, QString()},
        {"new and known draws", read(true, 3, 2, 0), false, QString()},
        {"three added, four skipped", read(true, 3, 0, 4), false, u"已导入3期开奖号码。"_s + bad},
        {"and known draws", read(true, 3, 2, 4), false, u"已导入3期开奖号码。"_s + bad + u"2期开奖号码已在列表中。"_s},
        {"only known draws", read(true, 0, 2, 0), false, u"没有新的开奖号码：文件中的2期开奖号码都已在列表中。"_s},
        {"no draw to take", read(true, 0, 0, 4), true, u"导入失败，没有可以导入的开奖号码。"_s + bad},
        {"nothing read", read(false, 0, 0, 4), true,
         u"导入失败，数据无法识别或者其它错误，请设置好导入的格式！第1行“福彩3D”：不符合数据格式。"_s},
        {"full", full, false,
         u"已导入5期开奖号码。一种彩票最多保存32766期开奖号码，从第9行起的开奖号码没有导入。"_s},
        {"full before", fullBefore, true,
         u"导入失败，没有可以导入的开奖号码。一种彩票最多保存32766期开奖号码，从第1行起的开奖号码没有导入。"_s},
        {"stopped", stopped, false, QString()},
        {"out of memory", failed, true, u"导入失败，数据无法识别或者其它错误，请设置好导入的格式！"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DrawReadReport report = DrawImportReport(c.read);
        EXPECT_EQ(report.Text, c.text);
        if (!c.text.isEmpty()) {
            EXPECT_EQ(report.Failure, c.failure);
        }
    }
}

TEST_F(DrawImportTest, AGbkFileIsReadThroughTheFormat)
{
    const QString path = Write(u"draws.txt"_s, ToGbk(u"福彩3D 开奖\r\n102期 4 5 6\r\n101期 7 7 7\r\n"_s));
    EXPECT_EQ(Import(path, u"N期 X X X"_s), ImportFault::None);
    EXPECT_TRUE(m_read.Read);
    EXPECT_EQ(m_read.Inserted, 1);
    EXPECT_EQ(m_rows.TextMatrix(2, kIssueCol), u"102"_s);
    EXPECT_EQ(m_rows.TextMatrix(2, kNumbersCol), u"4 5 6"_s);
}

TEST_F(DrawImportTest, AFileOfDrawsAlreadyThereStillCountsAsRead)
{
    EXPECT_EQ(Import(Write(u"same.txt"_s, "101 1 2 3\r\n")), ImportFault::None);
    EXPECT_TRUE(m_read.Read);
    EXPECT_EQ(m_read.Inserted, 0);
}

TEST(DrawImportRules, TheFormatEditorLiesOverItsEntry)
{
    EXPECT_EQ(FormatEditorTop(40, 16, 0, 0), 40);
    EXPECT_EQ(FormatEditorTop(40, 16, 3, 0), 88);
    EXPECT_EQ(FormatEditorTop(40, 16, 5, 2), 88);  // scrolled by two entries
    EXPECT_EQ(FormatEditorTop(40, 16, 1, 2), 40);  // above the first shown: the list's top
}

} // namespace
} // namespace kelton
