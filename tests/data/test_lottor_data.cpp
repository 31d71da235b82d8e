#include "data/lottor_data.h"

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>

#include <gtest/gtest.h>

#include "core/child_forms.h"
#include "core/infer_form_factory.h"
#include "data/app_state.h"
#include "engine/stat.h"
#include "platform/gbk.h"
#include "support/draw_rows.h"
#include "support/quiet_infer_form.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using test::Draws;
using test::ProgramFolderTest;

const QString kThreeDigits = QStringLiteral("[LOTTONAME]\r\n三位数\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n");
// Two main numbers 1..5 and one secondary number 1..4.
const QString kTwoAreas = QStringLiteral(
    "[LOTTONAME]\r\nTwo\r\n[BCDATALEN]\r\n5\r\n[BCMAIN]\r\n2\r\n[MRDATALEN]\r\n4\r\n[MRMAIN]\r\n1\r\n");

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

int32_t Int32At(const QByteArray& b, int at)
{
    return qFromLittleEndian<int32_t>(b.constData() + at);
}

int16_t Int16At(const QByteArray& b, int at)
{
    return qFromLittleEndian<int16_t>(b.constData() + at);
}

const std::vector<Draw> kFive = Draws({{101, "073"}, {102, "237"}, {103, "071"}, {104, "204"}, {105, "918"}});

// An analysis window that only counts how it was made.
class FakeInferForm : public test::QuietInferForm {
public:
    FakeInferForm(int16_t view, CStat& stat) : View(view), Stat(&stat) {}
    QString Caption() const override { return CStat::ViewName(View); }

    int16_t View;
    CStat* Stat;
};

class FakeFactory : public IInferFormFactory {
public:
    IInferForm* CreateInferForm(int16_t sView, CStat& sStat) override
    {
        Forms.push_back(std::make_unique<FakeInferForm>(sView, sStat));
        return Forms.back().get();
    }
    std::vector<std::unique_ptr<FakeInferForm>> Forms;
};

class LottorDataTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        m_file = Path(QStringLiteral("Lottor/lottor1000"));
    }

    // A game file holding the given draws, its views built.
    void MakeGame(const std::vector<Draw>& draws, const QString& definition = kThreeDigits)
    {
        {
            CLottorData created;
            ASSERT_FALSE(created.CreateData(definition, m_file, 1000));
        }
        CLottorData game;
        ASSERT_FALSE(game.OpenData(8, m_file));
        if (!draws.empty()) {
            ASSERT_EQ(game.Add(draws), static_cast<int16_t>(draws.size()));
            ASSERT_FALSE(game.UpData());
        }
    }

    int32_t ViewRecords(int16_t v)
    {
        CLottorHead head;
        head.SetHeadStr(kThreeDigits);
        CStat view;
        return view.StatOpen(head, CLottorData::StatPath(m_file, v), v);
    }

    AppState m_state; // fresh for each test: no analysis windows
    FakeFactory m_factory;
    ScopedService<IInferFormFactory> m_factoryInstalled{&m_factory};
    QString m_file;
};

// ---------------------------------------------------------------------------
// Creating

TEST_F(LottorDataTest, CreateWritesHeaderAndDefinitionOnly)
{
    CLottorData data;
    ASSERT_FALSE(data.CreateData(kThreeDigits, m_file, 1234));
    const QByteArray b = Bytes(m_file);
    const QByteArray text = ToGbk(data.HeadData.HeadStr());
    ASSERT_EQ(b.size(), 137 + text.size());
    EXPECT_EQ(b.left(25), QByteArray("QUORVEX-NUMBER-DATA-3.0.0"));
    EXPECT_EQ(Int16At(b, 25), 0);   // DrawCount
    EXPECT_EQ(Int32At(b, 27), 138); // HeadPos, 1-based
    EXPECT_EQ(Int32At(b, 31), text.size());
    EXPECT_EQ(Int16At(b, 35), 1234);
    EXPECT_EQ(b.mid(37, 100), QByteArray(100, '\0'));
    EXPECT_EQ(b.mid(137), text);
    EXPECT_TRUE(text.contains("\r\n[BCMAIN]\r\n3\r\n"));
    // The name is stored in GBK.
    EXPECT_TRUE(text.contains(ToGbk(QStringLiteral("三位数"))));
    EXPECT_FALSE(QFileInfo::exists(m_file + QStringLiteral(".0")));
    EXPECT_EQ(data.SelBc().size(), 4u);
    EXPECT_EQ(data.SelBc()[3].size(), 10u);
}

TEST_F(LottorDataTest, CreateRefusesWithoutWritingAnything)
{
    CLottorData data;
    EXPECT_TRUE(data.CreateData(kThreeDigits, QString(), 1000));
    EXPECT_TRUE(data.CreateData(QString(), m_file, 1000));
    EXPECT_TRUE(data.CreateData(QStringLiteral("[LOTTONAME]\r\nx\r\n[BCDATALEN]\r\n2\r\n[BCMAIN]\r\n3\r\n"),
                                m_file, 1000));
    EXPECT_FALSE(data.HeadData.Enable());
    EXPECT_FALSE(QFileInfo::exists(m_file));
    // A shape the statistics cannot keep.
    EXPECT_TRUE(data.CreateData(QStringLiteral("[LOTTONAME]\r\nx\r\n[BCDATALEN]\r\n9999\r\n[BCMAIN]\r\n3\r\n"),
                                m_file, 1000));
    EXPECT_FALSE(data.HeadData.Enable());
    EXPECT_FALSE(QFileInfo::exists(m_file));
}

// ---------------------------------------------------------------------------
// Round trips

TEST_F(LottorDataTest, DrawsRoundTripThroughFileAndViews)
{
    MakeGame(kFive);
    const QByteArray b = Bytes(m_file);
    EXPECT_EQ(Int16At(b, 25), 5);
    // Record 0: issue 101, then units, tens, hundreds of 0-7-3.
    EXPECT_EQ(Int32At(b, 137), 101);
    EXPECT_EQ(Int16At(b, 141), 3);
    EXPECT_EQ(Int16At(b, 143), 7);
    EXPECT_EQ(Int16At(b, 145), 0);
    EXPECT_EQ(Int32At(b, 27), 137 + 5 * 10 + 1);

    CLottorData game;
    ASSERT_FALSE(game.OpenData(8, m_file));
    EXPECT_EQ(game.NumCount(), 5);
    EXPECT_EQ(game.UpFrom(), 4);
    EXPECT_EQ(game.NumName(4), 105);
    EXPECT_EQ(game.Num(1, 4), 8);
    EXPECT_EQ(game.Num(3, 4), 9);
    EXPECT_EQ(game.Num(0, 4), 0);
    for (const auto& [pos, index] :
         std::vector<std::pair<int16_t, int32_t>>{{-1, 0}, {4, 0}, {1, -1}, {1, 5}})
        EXPECT_EQ(game.Num(pos, index), -1) << pos << "," << index;
    EXPECT_EQ(game.NumName(-1), -1);
    EXPECT_EQ(game.NumName(5), -1);
    for (int16_t v = 0; v < 8; ++v)
        EXPECT_EQ(game.StatView(v)->RecordCount(), 6) << v;

    // The model makes no window: the main window makes the analysis windows
    // of the game it loads (test_mdi_commands.cpp).
    EXPECT_TRUE(m_factory.Forms.empty());
    for (IInferForm* form : m_state.InferForms)
        EXPECT_EQ(form, nullptr);
    EXPECT_EQ(game.ShrinkAllErrValUbound, 1);
    EXPECT_EQ(game.ShrinkAllErrVal.Count(), 1);
}

TEST_F(LottorDataTest, SecondaryNumbersKeepTheirOrder)
{
    {
        CLottorData created;
        ASSERT_FALSE(created.CreateData(kTwoAreas, m_file, 1000));
    }
    CLottorData game;
    ASSERT_FALSE(game.OpenData(2, m_file));
    const std::vector<int32_t> names{7, 8};
    const std::vector<std::vector<int16_t>> nums{{0, 1, 5, 4}, {0, 2, 3, 1}};
    ASSERT_EQ(game.Add(names, nums), 2);
    EXPECT_EQ(game.Num(1, 0), 5); // units place = the last main number read
    EXPECT_EQ(game.Num(2, 0), 1);
    EXPECT_EQ(game.Num(3, 0), 4); // secondary
    ASSERT_FALSE(game.UpData());

    CLottorData again;
    ASSERT_FALSE(again.OpenData(2, m_file));
    EXPECT_EQ(again.Num(3, 1), 1);
    EXPECT_EQ(again.NumName(1), 8);
    EXPECT_EQ(again.SelMr().size(), 2u);
    EXPECT_EQ(again.SelMr()[1].size(), 5u);
}

TEST_F(LottorDataTest, AppendRewritesFromTheNewDrawOnly)
{
    MakeGame(kFive);
    CLottorData game;
    ASSERT_FALSE(game.OpenData(8, m_file));

    // The stored history again sets UpFrom to its last draw.
    EXPECT_EQ(game.Add(kFive), 5);
    EXPECT_EQ(game.UpFrom(), 4);

    // Two new draws, the first all zeros, are both written.
    std::vector<Draw> seven = kFive;
    seven.push_back(Draws({{106, "000"}})[0]);
    seven.push_back(Draws({{107, "555"}})[0]);
    EXPECT_EQ(game.Add(seven), 7);
    EXPECT_EQ(game.UpFrom(), 5);
    ASSERT_FALSE(game.UpData());
    EXPECT_EQ(game.StatView(7)->RecordCount(), 8);

    // Changing an issue number rewrites from that draw on.
    seven[2].Issue = 303;
    EXPECT_EQ(game.Add(seven), 7);
    EXPECT_EQ(game.UpFrom(), 2);
    ASSERT_FALSE(game.UpData());

    CLottorData again;
    ASSERT_FALSE(again.OpenData(8, m_file));
    EXPECT_EQ(again.NumCount(), 7);
    EXPECT_EQ(again.NumName(2), 303);
    EXPECT_EQ(again.Num(1, 5), 0);
    EXPECT_EQ(again.Num(2, 6), 5);
}

TEST_F(LottorDataTest, IncrementalUpdateMatchesFullRebuild)
{
    MakeGame(kFive);
    std::vector<Draw> six = kFive;
    six.push_back(Draws({{106, "446"}})[0]);
    {
        CLottorData game;
        ASSERT_FALSE(game.OpenData(8, m_file));
        ASSERT_EQ(game.Add(six), 6);
        ASSERT_FALSE(game.UpData());
    }
    std::vector<QByteArray> incremental;
    for (int16_t v = 0; v < 8; ++v)
        incremental.push_back(Bytes(CLottorData::StatPath(m_file, v)));
    {
        CLottorData game;
        ASSERT_FALSE(game.OpenData(8, m_file));
        ASSERT_FALSE(game.ReStat());
    }
    for (int16_t v = 0; v < 8; ++v)
        EXPECT_EQ(Bytes(CLottorData::StatPath(m_file, v)), incremental[static_cast<size_t>(v)]) << v;
}

TEST_F(LottorDataTest, DelAllLeavesDefinitionAtRecordStart)
{
    MakeGame(kFive);
    CLottorData game;
    ASSERT_FALSE(game.OpenData(8, m_file));
    ASSERT_FALSE(game.DelAll());
    EXPECT_EQ(game.NumCount(), 0);
    const QByteArray b = Bytes(m_file);
    EXPECT_EQ(Int16At(b, 25), 0);
    EXPECT_EQ(Int32At(b, 27), 138);
    EXPECT_EQ(b.mid(137, Int32At(b, 31)), ToGbk(game.HeadData.HeadStr()));
    for (int16_t v = 0; v < 8; ++v)
        EXPECT_EQ(game.StatView(v)->RecordCount(), 1) << v;

    // A file with no draws opens; its UpData starts at draw 0.
    CLottorData again;
    ASSERT_FALSE(again.OpenData(8, m_file));
    EXPECT_EQ(again.NumCount(), 0);
    EXPECT_FALSE(again.UpData());
    EXPECT_EQ(again.UpFrom(), 0);
}

TEST_F(LottorDataTest, ReleaseWritesTheDefinitionBack)
{
    MakeGame(kFive);
    {
        CLottorData game;
        ASSERT_FALSE(game.OpenData(8, m_file));
        game.HeadData.CustomStat = 17;
        game.HeadData.SetNumFormatStr(1, QStringLiteral("N X X X"));
    }
    CLottorData again;
    ASSERT_FALSE(again.OpenData(8, m_file));
    EXPECT_EQ(again.HeadData.CustomStat, 17);
    EXPECT_EQ(again.HeadData.NumFormatStr(1), QStringLiteral("N X X X"));
    EXPECT_EQ(again.NumCount(), 5);
}

// The file a write replaces whole: its inode number.
ino_t InodeOf(const QString& file)
{
    struct stat info {};
    return ::stat(QFile::encodeName(file).constData(), &info) == 0 ? info.st_ino : 0;
}

// Releasing a game whose definition did not change writes nothing: the
// file is the one that was there, byte for byte; an edit replaces it.
TEST_F(LottorDataTest, ReleaseLeavesAnUnchangedDefinitionUnwritten)
{
    MakeGame(kFive);
    const QByteArray before = Bytes(m_file);
    const ino_t inode = InodeOf(m_file);
    ASSERT_NE(inode, ino_t(0));
    {
        CLottorData game;
        ASSERT_FALSE(game.OpenData(8, m_file));
    }
    EXPECT_EQ(InodeOf(m_file), inode);
    EXPECT_EQ(Bytes(m_file), before);
    {
        CLottorData game;
        ASSERT_FALSE(game.OpenData(8, m_file));
        game.HeadData.CustomStat = 17;
    }
    EXPECT_NE(InodeOf(m_file), inode);
}

// A rebuild of the statistics leaves the draws' file as it was; a new draw
// replaces it.
TEST_F(LottorDataTest, RebuildLeavesTheDrawsUnwritten)
{
    MakeGame(kFive);
    CLottorData game;
    ASSERT_FALSE(game.OpenData(8, m_file));
    const QByteArray before = Bytes(m_file);
    const ino_t inode = InodeOf(m_file);
    ASSERT_FALSE(game.ReStat());
    EXPECT_EQ(InodeOf(m_file), inode);
    EXPECT_EQ(Bytes(m_file), before);
    std::vector<Draw> six = kFive;
    six.push_back(Draws({{106, "446"}})[0]);
    ASSERT_EQ(game.Add(six), 6);
    ASSERT_FALSE(game.UpData());
    EXPECT_NE(InodeOf(m_file), inode);
    EXPECT_EQ(game.StatView(0)->RecordCount(), 7);
}

// A data file the game must leave as it is: neither an update of the draws
// nor the release of the game writes it.
struct KeptFileCase {
    const char* name;
    std::function<void(CLottorData& game, const QString& file)> apply;
};

class KeptFileTest : public LottorDataTest, public ::testing::WithParamInterface<KeptFileCase> {};

TEST_P(KeptFileTest, NeitherUpdateNorReleaseWritesIt)
{
    MakeGame(kFive);
    const QByteArray before = Bytes(m_file);
    {
        CLottorData game;
        ASSERT_FALSE(game.OpenData(8, m_file));
        GetParam().apply(game, m_file);
        std::vector<Draw> six = kFive;
        six.push_back(Draws({{106, "446"}})[0]);
        ASSERT_EQ(game.Add(six), 6);
        EXPECT_TRUE(game.UpData());
        EXPECT_EQ(Bytes(m_file), before);
        game.HeadData.CustomStat = 17;
    }
    EXPECT_EQ(Bytes(m_file), before);
    QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner);
    CLottorData again;
    ASSERT_FALSE(again.OpenData(8, m_file));
    EXPECT_EQ(again.NumCount(), 5);
}

INSTANTIATE_TEST_SUITE_P(
    Files, KeptFileTest,
    ::testing::Values(KeptFileCase{"MadeReadOnly",
                                   [](CLottorData&, const QString& file) {
                                       ASSERT_TRUE(QFile::setPermissions(
                                           file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
                                   }},
                      // A definition no reader would take back.
                      KeptFileCase{"DefinitionPastTheBound",
                                   [](CLottorData& game, const QString&) {
                                       game.HeadData.SetWwwNumLink(
                                           0, QString(DataFileHeader::kMaxHeadLen, QLatin1Char('a')));
                                   }}),
    [](const ::testing::TestParamInfo<KeptFileCase>& info) { return std::string(info.param.name); });

TEST_F(LottorDataTest, ReleaseLeavesAFileDamagedMeanwhileAlone)
{
    MakeGame(kFive);
    QByteArray b = Bytes(m_file);
    qToLittleEndian<int16_t>(4, b.data() + 25);
    {
        CLottorData game;
        ASSERT_FALSE(game.OpenData(8, m_file));
        game.HeadData.CustomStat = 17;
        WriteBytes(m_file, b);
    }
    EXPECT_EQ(Bytes(m_file), b);
}

TEST_F(LottorDataTest, PathsRelativeToTheProgramFolder)
{
    MakeGame(kFive);
    CLottorData game;
    ASSERT_FALSE(game.OpenData(1, QStringLiteral("Lottor/lottor1000")));
    EXPECT_EQ(game.FilePath(), m_file);
    CLottorData absolute;
    ASSERT_FALSE(absolute.OpenData(1, m_file));
    EXPECT_EQ(absolute.FilePath(), m_file);
    EXPECT_EQ(absolute.OpenFailureReason(), OpenFailure::None);
    CLottorData missing;
    EXPECT_TRUE(missing.OpenData(1, QStringLiteral("Lottor/lottor1001")));
    EXPECT_EQ(missing.OpenFailureReason(), OpenFailure::Missing);
}

TEST_F(LottorDataTest, FewerViewsStopAfterTheLast)
{
    {
        CLottorData created;
        ASSERT_FALSE(created.CreateData(kThreeDigits, m_file, 1000));
    }
    CLottorData game;
    ASSERT_FALSE(game.OpenData(3, m_file));
    ASSERT_EQ(game.Add(kFive), 5);
    EXPECT_FALSE(game.UpData());
    EXPECT_FALSE(game.CreatStat());
    EXPECT_EQ(game.ViewCount(), 3);
    EXPECT_EQ(game.StatView(3), nullptr);
    EXPECT_EQ(game.StatView(2)->RecordCount(), 6);
    EXPECT_FALSE(QFileInfo::exists(CLottorData::StatPath(m_file, 3)));
    for (int16_t bad : {0, 9})
        EXPECT_TRUE(CLottorData().OpenData(bad, m_file)) << bad;
}

// ---------------------------------------------------------------------------
// Replacing the history

struct AddCase {
    const char* name;
    std::vector<int32_t> names;
    std::vector<std::vector<int16_t>> nums;
    int16_t result;
    std::vector<int32_t> kept; // issues held afterwards
};

class AddTest : public LottorDataTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddTest, KeepsOnlyGoodRowsAndNeverEmptiesByAccident)
{
    const AddCase& c = GetParam();
    MakeGame(kFive);
    CLottorData game;
    ASSERT_FALSE(game.OpenData(1, m_file));
    EXPECT_EQ(game.Add(c.names, c.nums), c.result);
    std::vector<int32_t> kept;
    for (int32_t i = 0; i < game.NumCount(); ++i)
        kept.push_back(game.NumName(i));
    EXPECT_EQ(kept, c.kept);
}

const std::vector<int32_t> kStored{101, 102, 103, 104, 105};

INSTANTIATE_TEST_SUITE_P(
    Rows, AddTest,
    ::testing::Values(
        AddCase{"IssueZeroAndNegativeDropped",
                {0, 7, -3, 8},
                {{0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}, {0, 4, 5, 6}},
                2,
                {7, 8}},
        AddCase{"NumberOutOfRangeDropped", {7, 8, 9}, {{0, 1, 10, 3}, {0, 1, 2, -1}, {0, 4, 5, 6}}, 1, {9}},
        AddCase{"ShapeOfAnotherGame", {7, 8}, {{0, 1, 2}, {0, 1, 2}}, 0, kStored},
        AddCase{"OneRowOfAnotherShape", {7, 8}, {{0, 1, 2, 3}, {0, 1, 2, 3, 4}}, 0, kStored},
        AddCase{"CountsDiffer", {7, 8}, {{0, 1, 2, 3}}, 0, kStored},
        AddCase{"NoGoodRow", {0, 8}, {{0, 1, 2, 3}, {0, 1, 2, 30}}, 0, kStored},
        AddCase{"EmptyList", {}, {}, 0, {}}),
    [](const ::testing::TestParamInfo<AddCase>& info) { return std::string(info.param.name); });

TEST_F(LottorDataTest, TextThatReadsAsNoDrawKeepsTheHistory)
{
    MakeGame(kFive);
    CLottorData game;
    ASSERT_FALSE(game.OpenData(1, m_file));
    const QString format = game.HeadData.DefNumFormat;
    EXPECT_EQ(game.AddStrNum(format, QString()), 0);
    EXPECT_EQ(game.AddStrNum(format, QStringLiteral("garbage\r\nmore garbage")), 0);
    EXPECT_EQ(game.NumCount(), 5);
    EXPECT_EQ(game.AddStrNum(format, QStringLiteral("101:0 7 3\r\n102:2 3 7\r\n")), 2);
    EXPECT_EQ(game.NumCount(), 2);
    EXPECT_EQ(game.Num(1, 0), 3);
    EXPECT_EQ(game.UpFrom(), 1);
}

TEST_F(LottorDataTest, MoreDrawsThanSixteenBitsHoldAreRefused)
{
    MakeGame(kFive);
    CLottorData game;
    ASSERT_FALSE(game.OpenData(1, m_file));
    std::vector<int32_t> names(32767);
    std::vector<std::vector<int16_t>> nums(32767, std::vector<int16_t>{0, 1, 2, 3});
    for (size_t i = 0; i < names.size(); ++i)
        names[i] = static_cast<int32_t>(i + 1);
    EXPECT_EQ(game.Add(names, nums), 0);
    EXPECT_EQ(game.NumCount(), 5);
    names.pop_back();
    nums.pop_back();
    EXPECT_EQ(game.Add(names, nums), 32766);
}

// ---------------------------------------------------------------------------
// Damaged files

struct DamageCase {
    const char* name;
    std::function<void(QByteArray&)> damage;
};

class DamagedFileTest : public LottorDataTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedFileTest, IsRefusedAndLeftAlone)
{
    MakeGame(kFive);
    QByteArray b = Bytes(m_file);
    GetParam().damage(b);
    WriteBytes(m_file, b);

    CLottorData game;
    EXPECT_TRUE(game.OpenData(8, m_file));
    EXPECT_EQ(game.OpenFailureReason(), OpenFailure::Damaged);
    EXPECT_FALSE(game.HeadData.Enable());
    EXPECT_EQ(game.NumCount(), 0);
    EXPECT_EQ(game.ViewCount(), 0);
    EXPECT_TRUE(m_factory.Forms.empty());
    EXPECT_TRUE(game.UpData());
    EXPECT_EQ(Bytes(m_file), b);
}

void SetInt16(QByteArray& b, int at, int16_t v)
{
    qToLittleEndian<int16_t>(v, b.data() + at);
}

void SetInt32(QByteArray& b, int at, int32_t v)
{
    qToLittleEndian<int32_t>(v, b.data() + at);
}

INSTANTIATE_TEST_SUITE_P(
    Header, DamagedFileTest,
    ::testing::Values(DamageCase{"MagicOneCharacter", [](QByteArray& b) { b[24] = '1'; }},
                      DamageCase{"MagicLowerCase", [](QByteArray& b) { b[0] = 'q'; }},
                      DamageCase{"ShorterThanHeader", [](QByteArray& b) { b.truncate(100); }},
                      DamageCase{"NegativeDrawCount", [](QByteArray& b) { SetInt16(b, 25, -1); }},
                      DamageCase{"DrawCountPastTheText", [](QByteArray& b) { SetInt16(b, 25, 6); }},
                      // One bit flipped: a rewrite would drop the draws it no longer counts.
                      DamageCase{"DrawCountShortOfTheRecords", [](QByteArray& b) { SetInt16(b, 25, 4); }},
                      DamageCase{"HeadPosPastTheRecords",
                                 [](QByteArray& b) {
                                     b.insert(Int32At(b, 27) - 1, QByteArray(10, '\0'));
                                     SetInt32(b, 27, Int32At(b, 27) + 10);
                                 }},
                      DamageCase{"DrawCountBeyondLimit", [](QByteArray& b) { SetInt16(b, 25, 32767); }},
                      DamageCase{"HeadPosPastEnd", [](QByteArray& b) { SetInt32(b, 27, b.size() + 1); }},
                      DamageCase{"HeadPosInsideHeader", [](QByteArray& b) { SetInt32(b, 27, 20); }},
                      DamageCase{"HeadPosNegative", [](QByteArray& b) { SetInt32(b, 27, -5); }},
                      DamageCase{"HeadLenZero", [](QByteArray& b) { SetInt32(b, 31, 0); }},
                      DamageCase{"HeadLenPastEnd", [](QByteArray& b) { SetInt32(b, 31, 0x7fffffff); }},
                      DamageCase{"TextCutShort", [](QByteArray& b) { b.chop(10); }},
                      DamageCase{"DefinitionPastTheBound",
                                 [](QByteArray& b) {
                                     const int blanks = DataFileHeader::kMaxHeadLen;
                                     b.append(QByteArray(blanks, ' '));
                                     SetInt32(b, 31, Int32At(b, 31) + blanks);
                                 }},
                      DamageCase{"DefinitionRefused",
                                 [](QByteArray& b) { b.replace("LOTTONAME", "LOTTONAMX"); }},
                      DamageCase{"NumberOutOfRange", [](QByteArray& b) { SetInt16(b, 141, 10); }},
                      // Shapes whose statistics records would take gigabytes.
                      DamageCase{"ValuesTooManyForStatistics",
                                 [](QByteArray& b) {
                                     b.replace("[BCDATALEN]\r\n9\r\n", "[BCDATALEN]\r\n9999\r\n");
                                     SetInt32(b, 31, Int32At(b, 31) + 3);
                                 }},
                      DamageCase{"LargestValuesForStatistics",
                                 [](QByteArray& b) {
                                     b.replace("[BCDATALEN]\r\n9\r\n", "[BCDATALEN]\r\n32767\r\n");
                                     SetInt32(b, 31, Int32At(b, 31) + 4);
                                 }}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Statistics files on opening

TEST_F(LottorDataTest, MatchingViewsAreNotRebuilt)
{
    MakeGame(kFive);
    // Bytes past the records do not make a view invalid; a rebuild would
    // cut them off.
    const QString view0 = CLottorData::StatPath(m_file, 0);
    QByteArray b = Bytes(view0);
    const qsizetype size = b.size();
    WriteBytes(view0, b + QByteArray(16, 'x'));
    CLottorData game;
    ASSERT_FALSE(game.OpenData(8, m_file));
    EXPECT_EQ(QFileInfo(view0).size(), size + 16);
}

struct ViewFault {
    const char* name;
    std::function<void(const QString& file)> apply;
};

class ViewFaultTest : public LottorDataTest, public ::testing::WithParamInterface<ViewFault> {};

TEST_P(ViewFaultTest, RebuildsEveryView)
{
    MakeGame(kFive);
    const QString view0 = CLottorData::StatPath(m_file, 0);
    const qsizetype size = QFileInfo(view0).size();
    WriteBytes(view0, Bytes(view0) + QByteArray(16, 'x'));
    GetParam().apply(m_file);

    CLottorData game;
    ASSERT_FALSE(game.OpenData(8, m_file));
    EXPECT_EQ(QFileInfo(view0).size(), size);
    for (int16_t v = 0; v < 8; ++v) {
        EXPECT_EQ(game.StatView(v)->RecordCount(), 6) << v;
        EXPECT_EQ(ViewRecords(v), 6) << v;
    }
    // The main window makes the windows (test_mdi_commands.cpp).
    EXPECT_TRUE(m_factory.Forms.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Views, ViewFaultTest,
    ::testing::Values(
        ViewFault{"Missing", [](const QString& f) { QFile::remove(CLottorData::StatPath(f, 5)); }},
        ViewFault{"WrongCount",
                  [](const QString& f) {
                      // View 3 of a game with one draw fewer.
                      const QString p = CLottorData::StatPath(f, 3);
                      CLottorHead head;
                      head.SetHeadStr(kThreeDigits);
                      CStat view;
                      ASSERT_EQ(view.StatOpen(head, p, 3), 6);
                      const std::vector<int32_t> issues{101, 102, 103, 104, 0};
                      const std::vector<int16_t> nums{0, 3, 7, 0, 0, 7, 3, 2, 0, 1, 7, 0, 0, 4, 0, 2};
                      ASSERT_FALSE(view.StatEdit(issues, nums, {}, 5, 0));
                      ASSERT_EQ(view.RecordCount(), 5);
                  }},
        ViewFault{"Refused",
                  [](const QString& f) { WriteBytes(CLottorData::StatPath(f, 7), "not statistics"); }}),
    [](const ::testing::TestParamInfo<ViewFault>& info) { return std::string(info.param.name); });

TEST_F(LottorDataTest, OpenFailsWhenTheViewsCannotBeBuilt)
{
    for (int16_t blocked : {0, 4}) {
        MakeGame(kFive);
        const QString p = CLottorData::StatPath(m_file, blocked);
        QFile::remove(p);
        ASSERT_TRUE(QDir().mkpath(p)); // a folder where the file should be

        const QByteArray before = Bytes(m_file);
        CLottorData game;
        EXPECT_TRUE(game.OpenData(8, m_file)) << blocked;
        EXPECT_EQ(game.OpenFailureReason(), OpenFailure::StatsNotWritten);
        EXPECT_EQ(Bytes(m_file), before);
        EXPECT_FALSE(game.HeadData.Enable());
        EXPECT_EQ(game.ViewCount(), 0);
        EXPECT_TRUE(m_factory.Forms.empty());
        for (IInferForm* form : m_state.InferForms)
            EXPECT_EQ(form, nullptr);
        ASSERT_TRUE(QDir(p).removeRecursively());
    }
}

// ---------------------------------------------------------------------------
// A failed write

// Makes a folder refuse new files: permissions for a normal user, the
// immutable attribute for root. False when neither can be had here.
bool LockFolder(const QString& folder, bool lock)
{
    if (geteuid() != 0) {
        return QFile::setPermissions(folder, lock ? QFile::ReadOwner | QFile::ExeOwner
                                                  : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return QProcess::execute(QStringLiteral("chattr"),
                             {lock ? QStringLiteral("+i") : QStringLiteral("-i"), folder}) == 0;
}

TEST_F(LottorDataTest, FailedWriteLeavesDrawsAndViewsAsTheyWere)
{
    MakeGame(kFive);
    const QByteArray before = Bytes(m_file);
    const QString folder = QFileInfo(m_file).absolutePath();

    CLottorData game;
    ASSERT_FALSE(game.OpenData(8, m_file));
    std::vector<Draw> six = kFive;
    six.push_back(Draws({{106, "446"}})[0]);
    ASSERT_EQ(game.Add(six), 6);
    if (!LockFolder(folder, true))
        GTEST_SKIP() << "cannot make a folder refuse writes here";
    const bool failed = game.UpData();
    const QByteArray during = Bytes(m_file);
    const int32_t view7 = game.StatView(7)->RecordCount();
    ASSERT_TRUE(LockFolder(folder, false));

    EXPECT_TRUE(failed);
    EXPECT_EQ(during, before);
    EXPECT_EQ(view7, 6);
    // The next UpData writes what the failed one could not.
    EXPECT_EQ(game.UpFrom(), 5);
    ASSERT_FALSE(game.UpData());
    CLottorData again;
    ASSERT_FALSE(again.OpenData(8, m_file));
    EXPECT_EQ(again.NumCount(), 6);
    EXPECT_EQ(again.StatView(0)->RecordCount(), 7);
}

TEST_F(LottorDataTest, UnloadedGameRefusesEveryWriter)
{
    CLottorData game;
    EXPECT_TRUE(game.UpData());
    EXPECT_TRUE(game.CreatStat());
    EXPECT_TRUE(game.ReStat());
    EXPECT_EQ(game.Add(kFive), 0);
    EXPECT_EQ(game.NumCount(), 0);
    {
        CLottorData created;
        ASSERT_FALSE(created.CreateData(kThreeDigits, m_file, 1000));
        // Created, but no view is open.
        EXPECT_TRUE(created.UpData());
    }
}

} // namespace
} // namespace kelton
