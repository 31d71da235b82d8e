// Formula files: writing a group, reading both layouts, importing.

#include "formula/way_file.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "data/formula_store.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "platform/gbk.h"
#include "support/test_support.h"

namespace kelton {
namespace {

constexpr int kOwnConsult = 47;  // BM + 44 of a three-digit game

CLottorHead ThreeDigits()
{
    CLottorHead head;
    head.SetHeadStr(QStringLiteral("[LOTTONAME]\r\ng\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
    EXPECT_TRUE(head.Enable());
    return head;
}

WayFileRead Read(const QString& text)
{
    return ReadWayFileBytes(ToGbk(text), kOwnConsult);
}

void ExpectRecord(const WayFileRecord& r, const char* name, const char* formula, int16_t index,
                  const char* consult)
{
    EXPECT_EQ(r.Name, QString::fromUtf8(name));
    EXPECT_EQ(r.Formula, QString::fromUtf8(formula));
    EXPECT_EQ(r.ConsultIndex, index);
    EXPECT_EQ(r.Consult, QString::fromUtf8(consult));
}

TEST(WayFileTest, GroupWrittenAndReadBack)
{
    CLottorHead head = ThreeDigits();
    head.WayGroupAdd(QStringLiteral("甲"));
    head.WayGroupAdd(QStringLiteral("乙"));
    const QString every = QStringLiteral("a=[1]\r\nb='c\td:e,f");
    head.WayAdd(0, QStringLiteral("全部"), every, kOwnConsult, QStringLiteral("x=1,2:3\r\nx"));
    head.WayAdd(1, QStringLiteral("别的类别"), QStringLiteral("1"), 0, QString());
    head.WayAdd(0, QStringLiteral("预设"), QStringLiteral("Num(1,3,1)"), 2, QString());
    head.WayAdd(0, QStringLiteral("删掉"), QStringLiteral("2"), 0, QString());
    head.WayDel(3);

    const QByteArray bytes = WayFileBytes(head.Ways(), 0);
    // An empty first line, a line per formula, every line ended by CR LF.
    EXPECT_TRUE(bytes.startsWith("\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 3);
    EXPECT_TRUE(bytes.contains(ToGbk(QStringLiteral("\r\n预设\tNum(1\x01\x08""3\x01\x08""1)\t2\tnum(2\x01\x08""2\x01\x08""0)"))));

    const WayFileRead read = ReadWayFileBytes(bytes, kOwnConsult);
    EXPECT_EQ(read.Layout, WayFileLayout::Current);
    EXPECT_EQ(read.Skipped, 0);
    ASSERT_EQ(read.Records.size(), 2u);
    ExpectRecord(read.Records[0], "全部", every.toUtf8().constData(), kOwnConsult, "x=1,2:3\r\nx");
    // A predefined consult row comes back with its expression.
    ExpectRecord(read.Records[1], "预设", "Num(1,3,1)", 2, "num(2,2,0)");
}

// Kelton reads back the file it writes for a group without formulas: an
// empty group.
TEST(WayFileTest, AGroupWithoutFormulas)
{
    CLottorHead head = ThreeDigits();
    head.WayGroupAdd(QStringLiteral("空"));
    EXPECT_EQ(WayFileBytes(head.Ways(), 0), QByteArray("\r\n"));
    for (const char* bytes : {"\r\n", "   \r\n\r\n"}) {
        const WayFileRead read = ReadWayFileBytes(bytes, kOwnConsult);
        EXPECT_EQ(read.Layout, WayFileLayout::Empty) << bytes;
        EXPECT_TRUE(read.Records.empty()) << bytes;
    }
    const WayFileRead read = ReadWayFileBytes("\r\n", kOwnConsult);
    const WayImport import = ImportWayRecords(head, QStringLiteral("空的"), read);
    EXPECT_EQ(import.Group, 1);
    EXPECT_TRUE(import.Formulas.empty());
    EXPECT_EQ(head.WayGroupGet(1), QStringLiteral("空的"));
    EXPECT_EQ(WayImportMessage(read, import), QStringLiteral("恭喜，成功导入公式！共导入0个公式。"));
}

TEST(WayFileTest, NamesCannotBreakTheLine)
{
    CLottorHead head = ThreeDigits();
    head.WayGroupAdd(QStringLiteral("g"));
    head.WayAdd(0, QStringLiteral("a\tb\r\nc\x07"), QStringLiteral("1"), 0, QString());
    const WayFileRead read = ReadWayFileBytes(WayFileBytes(head.Ways(), 0), kOwnConsult);
    ASSERT_EQ(read.Records.size(), 1u);
    EXPECT_EQ(read.Records[0].Name, QStringLiteral("a b  c"));
}

TEST(WayFileTest, CurrentLayout)
{
    const WayFileRead read = Read(QStringLiteral(
        "  \n"
        "四段\tNum(1,3,1)\t47\town\r\n"
        "三段\tf3\t5\r\n"
        "\tnoname\r\n"
        "\r\n"
        "no tab here\r\n"
        "五段\tf5\t3\tc\textra\r\n"
        "超出\tf\t48\tc\r\n"
        "负数\tf\t-1\tc\r\n"
        "不是数\tf\tx\tc\r\n"
        "小数\tf\t2.6\tc\r\n"
        "控制\ta\x07\x01\x01""b\x02\t1\t\r\n"));
    EXPECT_EQ(read.Layout, WayFileLayout::Current);
    EXPECT_EQ(read.Skipped, 1);
    ASSERT_EQ(read.Records.size(), 9u);
    ExpectRecord(read.Records[0], "四段", "Num(1,3,1)", 47, "own");
    // Only exactly four fields carry a consult formula.
    ExpectRecord(read.Records[1], "三段", "f3", 0, "");
    ExpectRecord(read.Records[2], "", "noname", 0, "");
    ExpectRecord(read.Records[3], "五段", "f5", 0, "");
    // Consult indexes outside the consult list become 0.
    ExpectRecord(read.Records[4], "超出", "f", 0, "c");
    ExpectRecord(read.Records[5], "负数", "f", 0, "c");
    ExpectRecord(read.Records[6], "不是数", "f", 0, "c");
    ExpectRecord(read.Records[7], "小数", "f", 3, "c");
    // Codes unescaped, stray control characters dropped.
    ExpectRecord(read.Records[8], "控制", "a\r\nb=", 1, "");
}

TEST(WayFileTest, OlderList)
{
    const WayFileRead read = Read(QStringLiteral(
        "\r\n"
        "[公式]\r\n"
        "Val=1,Num(1\x01\x08""3\x01\x08""1),x\r\n"
        "Count=3\r\n"
        "VAL=,b\x01\x01""c\r\n"
        "Val=nocomma\r\n"
        "val=2,Max(1\x08""2)\r\n"));
    EXPECT_EQ(read.Layout, WayFileLayout::OldList);
    EXPECT_EQ(read.Skipped, 1);
    ASSERT_EQ(read.Records.size(), 3u);
    ExpectRecord(read.Records[0], "末命名1", "Num(1,3,1)", 0, "");
    ExpectRecord(read.Records[1], "末命名2", "b\r\nc", 0, "");
    // A lone code 8 is no older code: dropped as a control character.
    ExpectRecord(read.Records[2], "末命名3", "Max(12)", 0, "");

    // The first line is never a formula.
    EXPECT_TRUE(Read(QStringLiteral("Val=1,2\r\n")).Records.empty());
}

TEST(WayFileTest, NoFormulaFile)
{
    // Pseudo-random bytes, which hold TABs enough to look like formulas.
    QByteArray noise(1 << 20, '\0');
    uint32_t x = 12345;
    for (char& c : noise) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 23);
    }
    static const char withNul[] = "f\tNum(1,3,1)\r\ng\t1\0\r\n";
    const QByteArray cases[] = {
        "a\tb\tc\r\nx\ty\r\n",
        "a\tb\tc\td\te\r\n",
        "",
        // No text: a NUL byte, bytes GBK has no character for.
        QByteArray(withNul, sizeof(withNul) - 1),
        "f\tNum(1,3,1)\r\ng\t\xFF\r\n",
        "f\tNum(1,3,1)\x81\r\n",
        noise,
    };
    for (const QByteArray& bytes : cases) {
        const WayFileRead read = ReadWayFileBytes(bytes, kOwnConsult);
        EXPECT_EQ(read.Layout, WayFileLayout::None) << bytes.left(40).toStdString();
        EXPECT_TRUE(read.Records.empty()) << bytes.left(40).toStdString();
        CLottorHead head = ThreeDigits();
        const WayImport import = ImportWayRecords(head, QStringLiteral("x"), read);
        EXPECT_EQ(import.Group, -1);
        EXPECT_EQ(WayImportMessage(read, import), QStringLiteral("导入失败，这不是公式文件！"));
    }
}

TEST(WayFileTest, GroupNameOfTheFile)
{
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"/tmp/杀号.way", "杀号"},
        {"/tmp/a.b.way", "a"},
        {"/tmp/x.y/none", "none"},
        {"/tmp/.way", ".way"},
        {"杀号.txt", "杀号"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WayGroupNameOfFile(QString::fromUtf8(c.path)), QString::fromUtf8(c.name)) << c.path;
}

TEST(WayFileTest, ImportAddsAGroupOnlyWithFormulas)
{
    CLottorHead head = ThreeDigits();
    head.WayGroupAdd(QStringLiteral("old"));

    WayFileRead read = Read(QStringLiteral("a\tb\tc\r\n"));
    WayImport import = ImportWayRecords(head, QStringLiteral("三段"), read);
    EXPECT_EQ(import.Group, -1);
    EXPECT_EQ(head.WayGroupCount(), 1);
    EXPECT_EQ(WayImportMessage(read, import), QStringLiteral("导入失败，这不是公式文件！"));

    read = Read(QStringLiteral("x\r\nVal=nocomma\r\n"));
    import = ImportWayRecords(head, QStringLiteral("空"), read);
    EXPECT_EQ(head.WayGroupCount(), 1);
    EXPECT_EQ(WayImportMessage(read, import), QStringLiteral("导入失败，文件中没有公式，跳过1行。"));

    read = Read(QStringLiteral("\r\nf1\tNum(1,3,1)\t47\town\r\nbad line\r\nf2\t1\r\n"));
    import = ImportWayRecords(head, QStringLiteral("新"), read);
    EXPECT_EQ(import.Group, 1);
    ASSERT_EQ(import.Formulas, (std::vector<int16_t>{0, 1}));
    EXPECT_EQ(head.WayGroupGet(1), QStringLiteral("新"));
    EXPECT_EQ(head.WayGet(0, 0), QStringLiteral("1"));
    EXPECT_EQ(head.WayGet(0, 4), QStringLiteral("own"));
    EXPECT_EQ(head.WayGet(1, 1), QStringLiteral("f2"));
    EXPECT_EQ(head.WayGet(1, 3), QStringLiteral("0"));
    EXPECT_EQ(WayImportMessage(read, import), QStringLiteral("恭喜，成功导入公式！共导入2个公式，跳过1行。"));
}

// A head whose definition text is `room` bytes short of what the data file
// holds, its one formula "big" (row 0) making up the rest.
CLottorHead NearlyFull(int64_t room)
{
    CLottorHead head = ThreeDigits();
    head.WayGroupAdd(QStringLiteral("g"));
    head.WayAdd(0, QStringLiteral("big"), QString(), 0, QString());
    const int64_t fill = DataFileHeader::kMaxHeadLen - room - head.DefinitionBytes(head.Ways());
    head.WaySet(0, 2, QString(static_cast<qsizetype>(fill), QLatin1Char('1')));
    EXPECT_EQ(head.DefinitionBytes(head.Ways()), DataFileHeader::kMaxHeadLen - room);
    return head;
}

// Nothing may make the definition text larger than the game's data file
// holds: neither an import nor an edit.
TEST(WayFileTest, WhatTheDataFileCannotHoldIsRefused)
{
    CLottorHead head = NearlyFull(20);
    const QString big = head.WayGet(0, 2);
    EXPECT_TRUE(WayEditFits(head, 0, 2, big + QString(20, QLatin1Char('1'))));
    EXPECT_FALSE(WayEditFits(head, 0, 2, big + QString(21, QLatin1Char('1'))));
    // Two bytes a character in GBK.
    EXPECT_TRUE(WayEditFits(head, 0, 1, QStringLiteral("big") + QString(10, QChar(0x516C))));
    EXPECT_FALSE(WayEditFits(head, 0, 1, QStringLiteral("big") + QString(11, QChar(0x516C))));
    // A group's line: its name and a line end.
    EXPECT_TRUE(WayChangeFits(head, [](FormulaStore& ways) { ways.WayGroupAdd(QString(18, QLatin1Char('g'))); }));
    EXPECT_FALSE(WayChangeFits(head, [](FormulaStore& ways) { ways.WayGroupAdd(QString(19, QLatin1Char('g'))); }));

    // Over the limit already: what takes nothing more is still taken.
    head.WaySet(0, 2, big + QString(100, QLatin1Char('1')));
    EXPECT_TRUE(WayEditFits(head, 0, 2, big + QString(99, QLatin1Char('1'))));
    EXPECT_FALSE(WayEditFits(head, 0, 4, QStringLiteral("1")));
    head.WaySet(0, 2, big);

    const WayFileRead read = Read(QStringLiteral("\r\nf\tNum(1,3,1)\r\n"));
    ASSERT_EQ(read.Records.size(), 1u);
    const WayImport import = ImportWayRecords(head, QStringLiteral("新"), read);
    EXPECT_TRUE(import.TooLarge);
    EXPECT_EQ(import.Group, -1);
    EXPECT_EQ(head.WayGroupCount(), 1);
    EXPECT_EQ(head.WayCount(), 1);
    EXPECT_EQ(WayImportMessage(read, import),
              QStringLiteral("导入失败，公式太多或太长：导入后彩票的设置将超过数据文件容许的524288字节，无法保存！"));

    // With the room, the same file goes in.
    CLottorHead roomy = NearlyFull(200);
    EXPECT_EQ(ImportWayRecords(roomy, QStringLiteral("新"), read).Formulas.size(), 1u);
}

class WayFileWriteTest : public test::ProgramFolderTest {};

TEST_F(WayFileWriteTest, FilesTooLargeOrUnreadableAreNotRead)
{
    const QString large = Path(QStringLiteral("large.way"));
    {
        QFile file(large);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.write("\r\nf\t1\r\n") > 0);
        ASSERT_TRUE(file.resize(kMaxWayFileBytes + 1)); // sparse: no 32 MB written
    }
    const WayFileRead tooLarge = ReadWayFile(large, kOwnConsult);
    EXPECT_EQ(tooLarge.Trouble, WayFileRead::Problem::TooLarge);
    EXPECT_TRUE(tooLarge.Records.empty());
    EXPECT_EQ(WayImportMessage(tooLarge, WayImport{}), QStringLiteral("导入失败，文件超过32MB，不是公式文件！"));

    const WayFileRead missing = ReadWayFile(Path(QStringLiteral("missing.way")), kOwnConsult);
    EXPECT_EQ(missing.Trouble, WayFileRead::Problem::CannotRead);
    EXPECT_EQ(WayImportMessage(missing, WayImport{}), QStringLiteral("导入失败，无法读取文件！"));

    {
        QFile file(large);
        ASSERT_TRUE(file.resize(kMaxWayFileBytes));
    }
    const WayFileRead atTheCap = ReadWayFile(large, kOwnConsult);
    EXPECT_EQ(atTheCap.Trouble, WayFileRead::Problem::None);
    // The zeros the file was padded with make it no text.
    EXPECT_EQ(atTheCap.Layout, WayFileLayout::None);
}

TEST_F(WayFileWriteTest, WrittenWholeOrNotAtAll)
{
    CLottorHead head = ThreeDigits();
    head.WayGroupAdd(QStringLiteral("g"));
    head.WayAdd(0, QStringLiteral("f"), QStringLiteral("Num(1,3,1)"), 0, QString());
    const QString path = Path(QStringLiteral("g.way"));
    ASSERT_TRUE(WriteWayFile(path, head.Ways(), 0));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), WayFileBytes(head.Ways(), 0));
    file.close();

    EXPECT_FALSE(WriteWayFile(Path(QStringLiteral("missing/g.way")), head.Ways(), 0));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("missing/g.way"))));
}

}  // namespace
}  // namespace kelton
