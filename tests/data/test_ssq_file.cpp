#include "data/ssq_file.h"

#include <deque>
#include <functional>
#include <set>

#include <QFile>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "support/test_support.h"

namespace kelton {
namespace {

// An independent description of the container format, used to lay out
// files for the reader and to take apart what the writer wrote.
constexpr char kFixed[] = "813460725194036";
constexpr int kAdded[15] = {0, 26, 4, 22, 8, 18, 12, 14, 16, 10, 20, 6, 24, 2, 28};
const QString kKey = QStringLiteral("TestKey");

std::array<int, 15> KeyTableOf(const QString& key)
{
    std::array<int, 15> table{};
    for (int i = 0; i < 15; ++i)
        table[i] = (i < key.size() ? key[i].unicode() : 0) + kAdded[i];
    return table;
}

std::array<int, 15> FixedTable()
{
    std::array<int, 15> table{};
    for (int i = 0; i < 15; ++i)
        table[i] = kFixed[i];
    return table;
}

void Put16(QByteArray& out, qsizetype at, int value)
{
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

int Get16(const QByteArray& in, qsizetype at)
{
    return static_cast<int16_t>(static_cast<uint8_t>(in[at]) | (static_cast<uint8_t>(in[at + 1]) << 8));
}

void Put32(std::array<int, 100>& header, int at, int64_t value)
{
    for (int k = 0; k < 4; ++k)
        header[at + k] = static_cast<int>((static_cast<uint64_t>(value) >> (8 * k)) & 0xFF);
}

int64_t Get32(const std::array<int, 100>& header, int at)
{
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k)
        v |= static_cast<uint32_t>(header[at + k]) << (8 * k);
    return static_cast<int32_t>(v);
}

struct Layout {
    int blockSize = 8;
    int firstFlag = 1;
    QString key{}; // the key table when firstFlag is 0
    std::array<int, 15> salts = {3, 250, 17, 0, 99, 128, 1, 64, 200, 7, 33, 255, 12, 80, 5};
    QByteArray data{};
    QByteArray record{};
    int recCount = 0;
    bool reverseSlots = true;
    // Applied to the finished layout before it is written out.
    std::function<void(std::array<int, 100>& header, std::vector<int64_t>& dataPos)> tamper{};
};

QString Signature()
{
    return SsqSignature();
}

QByteArray Build(const Layout& l)
{
    const auto pad = [&](QByteArray s) {
        while (s.size() % l.blockSize != 0)
            s.append('\0');
        return s;
    };
    const QByteArray data = pad(l.data);
    const QByteArray record = pad(l.record);
    const int64_t db = data.size() / l.blockSize;
    const int64_t rb = record.size() / l.blockSize;
    const std::array<int, 15> k = l.firstFlag != 0 ? FixedTable() : KeyTableOf(l.key);

    std::array<int, 100> header{};
    for (int i = 0; i < 50; ++i)
        header[i] = Signature()[i].unicode();
    header[50] = l.firstFlag;
    header[52] = l.blockSize;
    header[54] = 0xAB; // the gaps are carried, not interpreted
    header[95] = 0x5C;
    Put32(header, 56, db);
    Put32(header, 60, rb);
    for (int r = 0; r < 15; ++r)
        header[64 + 2 * r] = l.salts[r];
    Put32(header, 96, l.recCount);

    const int64_t area = 200 + 8 * (db + rb);
    std::vector<int64_t> dataPos(static_cast<size_t>(db));
    std::vector<int64_t> recPos(static_cast<size_t>(rb));
    for (int64_t b = 0; b < db; ++b) {
        const int64_t slot = l.reverseSlots ? db - 1 - b : b;
        dataPos[static_cast<size_t>(b)] = area + slot * 2 * l.blockSize + 1;
    }
    for (int64_t b = 0; b < rb; ++b)
        recPos[static_cast<size_t>(b)] = area + 2 * l.blockSize * db + b * 2 * l.blockSize + 1;
    if (l.tamper)
        l.tamper(header, dataPos);

    QByteArray out(static_cast<qsizetype>(area + 2 * l.blockSize * (db + rb)), '\0');
    for (int i = 0; i < 100; ++i)
        Put16(out, 2 * i, header[i] - kFixed[i % 15]);
    const auto table = [&](const std::vector<int64_t>& pos, int64_t at) {
        for (size_t e = 0; e < pos.size(); ++e) {
            for (int kk = 0; kk < 4; ++kk) {
                const int64_t i = 4 * static_cast<int64_t>(e) + kk;
                const int r = static_cast<int>(i % 15);
                const int byte = static_cast<int>((static_cast<uint64_t>(pos[e]) >> (8 * kk)) & 0xFF);
                Put16(out, at + 2 * i, (byte - kFixed[r]) * (r + 1) + l.salts[r]);
            }
        }
    };
    table(dataPos, 200);
    table(recPos, 200 + 8 * db);
    const auto blocks = [&](const QByteArray& s, const std::vector<int64_t>& pos) {
        for (size_t b = 0; b < pos.size(); ++b) {
            for (int j = 0; j < l.blockSize; ++j) {
                const int64_t i = static_cast<int64_t>(b) * l.blockSize + j;
                const int r = static_cast<int>(i % 15);
                const int value =
                    (static_cast<uint8_t>(s[static_cast<qsizetype>(i)]) + k[r]) * (r + 1) - l.salts[r];
                const int64_t at = pos[b] - 1 + 2 * j;
                if (at >= area && at + 2 <= out.size())
                    Put16(out, at, value);
            }
        }
    };
    blocks(data, dataPos);
    blocks(record, recPos);
    return out;
}

// What a container file holds, taken apart without the class under test.
struct Decoded {
    std::array<int, 100> header{};
    int firstFlag = 0;
    int blockSize = 0;
    std::vector<int64_t> dataPos;
    QByteArray data;
};

Decoded Decode(const QByteArray& file, const QString& key)
{
    Decoded d;
    for (int i = 0; i < 100; ++i)
        d.header[i] = Get16(file, 2 * i) + kFixed[i % 15];
    d.firstFlag = d.header[50] | (d.header[51] << 8);
    d.blockSize = d.header[52] | (d.header[53] << 8);
    const int64_t db = Get32(d.header, 56);
    std::array<int, 15> salt{};
    for (int r = 0; r < 15; ++r)
        salt[r] = d.header[64 + 2 * r] | (d.header[65 + 2 * r] << 8);
    const std::array<int, 15> k = d.firstFlag != 0 ? FixedTable() : KeyTableOf(key);
    for (int64_t e = 0; e < db; ++e) {
        uint32_t pos = 0;
        for (int kk = 0; kk < 4; ++kk) {
            const int64_t i = 4 * e + kk;
            const int r = static_cast<int>(i % 15);
            pos |= static_cast<uint32_t>((Get16(file, 200 + 2 * i) - salt[r]) / (r + 1) + kFixed[r])
                   << (8 * kk);
        }
        d.dataPos.push_back(pos);
    }
    for (int64_t b = 0; b < db; ++b) {
        for (int j = 0; j < d.blockSize; ++j) {
            const int64_t i = b * d.blockSize + j;
            const int r = static_cast<int>(i % 15);
            const int value = Get16(file, d.dataPos[static_cast<size_t>(b)] - 1 + 2 * j);
            d.data.append(static_cast<char>((value + salt[r]) / (r + 1) - k[r]));
        }
    }
    return d;
}

QByteArray Stream(int size, int seed = 1)
{
    QByteArray s;
    for (int i = 0; i < size; ++i)
        s.append(static_cast<char>((i * 37 + seed * 11) & 0xFF));
    return s;
}

// Fractions that make UpData draw block size 8 and fixed salts.
std::function<double()> Scripted(std::deque<double> values)
{
    auto queue = std::make_shared<std::deque<double>>(std::move(values));
    return [queue]() {
        if (queue->empty())
            return 0.5;
        const double v = queue->front();
        queue->pop_front();
        return v;
    };
}

class SsqFileTest : public test::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        m_file = Path(QStringLiteral("box.dat"));
    }

    void WriteFile(const QByteArray& bytes)
    {
        QFile f(m_file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray ReadFile() const
    {
        QFile f(m_file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString m_file;
};

TEST_F(SsqFileTest, NoKeyNoNameOrNoFileOpensNothing)
{
    const QByteArray bytes = Build(Layout{.data = Stream(40)});
    WriteFile(bytes);
    CSsqFile box;
    bool first = false;
    EXPECT_FALSE(box.OpenSsqFile(m_file, first)); // no key yet
    EXPECT_EQ(ReadFile(), bytes);                 // not rekeyed either
    ASSERT_TRUE(box.SetKey(kKey));
    EXPECT_FALSE(box.OpenSsqFile(QString(), first));
    EXPECT_FALSE(box.OpenSsqFile(Path(QStringLiteral("missing.dat")), first));
    EXPECT_FALSE(box.IsOpen());
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("missing.dat"))));
}

TEST_F(SsqFileTest, KeyOfMoreThanFifteenCharactersIsRefused)
{
    CSsqFile box;
    EXPECT_TRUE(box.SetKey(QStringLiteral("123456789012345")));
    EXPECT_FALSE(box.SetKey(QStringLiteral("1234567890123456")));
    EXPECT_TRUE(box.SetKey(QString())); // an empty key still gives a usable table
    WriteFile(Build(Layout{.data = Stream(16)}));
    bool first = false;
    EXPECT_TRUE(box.OpenSsqFile(m_file, first));
}

TEST_F(SsqFileTest, FirstWriteContainerIsReadAndRekeyed)
{
    const QByteArray data = Stream(40); // five whole blocks of 8
    WriteFile(Build(Layout{.blockSize = 8, .firstFlag = 1, .data = data}));

    CSsqFile box;
    ASSERT_TRUE(box.SetKey(kKey));
    bool first = false;
    ASSERT_TRUE(box.OpenSsqFile(m_file, first));
    EXPECT_TRUE(first);
    // Rekeying wrote it again with a new block size: the stream is padded to
    // that size, but a stream of whole blocks gains no extra block.
    EXPECT_TRUE(box.GetData().startsWith(data));
    EXPECT_LT(box.GetData().size(), data.size() + 50);

    // On disk it is keyed with the caller's key now; the gaps are carried.
    const Decoded d = Decode(ReadFile(), kKey);
    EXPECT_EQ(d.firstFlag, 0);
    EXPECT_EQ(d.header[54], 0xAB);
    EXPECT_EQ(d.header[95], 0x5C);
    EXPECT_TRUE(d.data.startsWith(data));
    EXPECT_LT(d.data.size(), data.size() + d.blockSize);
    EXPECT_EQ(d.data.mid(data.size()), QByteArray(d.data.size() - data.size(), '\0'));
    EXPECT_TRUE(box.CloseSsqFile());

    first = false;
    ASSERT_TRUE(box.OpenSsqFile(m_file, first));
    EXPECT_FALSE(first); // as passed
    EXPECT_TRUE(box.GetData().startsWith(data));
}

TEST_F(SsqFileTest, ReadsContainerKeyedWithTheCallersKey)
{
    Layout layout{.blockSize = 13, .firstFlag = 0, .key = kKey, .data = Stream(100)};
    const QByteArray bytes = Build(layout);
    WriteFile(bytes);
    CSsqFile box;
    ASSERT_TRUE(box.SetKey(kKey));
    bool first = false;
    ASSERT_TRUE(box.OpenSsqFile(m_file, first));
    EXPECT_FALSE(first);
    EXPECT_EQ(box.GetData(), Stream(100).leftJustified(104, '\0'));
    EXPECT_EQ(ReadFile(), bytes); // reading alone writes nothing
}

struct DamageCase {
    const char* name;
    Layout layout;
    qsizetype cutTo; // -1: keep the whole file
    bool accepted;
};

class SsqFileDamageTest : public SsqFileTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(SsqFileDamageTest, OpenRefusesDamagedContainers)
{
    const DamageCase& c = GetParam();
    QByteArray bytes = Build(c.layout);
    if (c.cutTo >= 0)
        bytes.truncate(c.cutTo);
    WriteFile(bytes);

    CSsqFile box;
    ASSERT_TRUE(box.SetKey(kKey));
    bool first = false;
    EXPECT_EQ(box.OpenSsqFile(m_file, first), c.accepted);
    EXPECT_EQ(box.IsOpen(), c.accepted);
    if (!c.accepted) {
        EXPECT_FALSE(first);
        EXPECT_EQ(ReadFile(), bytes); // a refused file is left alone
        EXPECT_FALSE(box.SetData(Stream(10)));
    }
}

Layout WithHeader(int offset, int64_t value32, int blockSize = 8)
{
    Layout l{.blockSize = blockSize, .data = Stream(40)};
    l.tamper = [offset, value32](std::array<int, 100>& h, std::vector<int64_t>&) {
        Put32(h, offset, value32);
    };
    return l;
}

Layout WithPosition(int block, int64_t pos)
{
    Layout l{.blockSize = 8, .data = Stream(40)};
    l.tamper = [block, pos](std::array<int, 100>&, std::vector<int64_t>& p) { p[block] = pos; };
    return l;
}

Layout WithHeaderByte(int offset, int value)
{
    Layout l{.blockSize = 8, .data = Stream(40)};
    l.tamper = [offset, value](std::array<int, 100>& h, std::vector<int64_t>&) { h[offset] = value; };
    return l;
}

Layout WithBlockSize(int size)
{
    // Block sizes outside 5..50 are refused even where the layout is sound.
    Layout l{.blockSize = 8, .data = Stream(40)};
    l.blockSize = size;
    return l;
}

Layout WithData(QByteArray data)
{
    return Layout{.blockSize = 8, .data = std::move(data)};
}

// 200 header bytes + 5 x 8 table bytes + 5 blocks x 16 bytes.
constexpr qsizetype kWholeFile = 200 + 40 + 80;

INSTANTIATE_TEST_SUITE_P(
    Cases, SsqFileDamageTest,
    ::testing::Values(DamageCase{"sound", WithData(Stream(40)), -1, true},
                      DamageCase{"empty_stream", WithData(QByteArray()), -1, true},
                      DamageCase{"block_size_5", WithBlockSize(5), -1, true},
                      DamageCase{"block_size_50", WithBlockSize(50), -1, true},
                      DamageCase{"block_size_4", WithBlockSize(4), -1, false},
                      DamageCase{"block_size_51", WithBlockSize(51), -1, false},
                      DamageCase{"empty_file", WithData(Stream(40)), 0, false},
                      DamageCase{"header_cut", WithData(Stream(40)), 199, false},
                      DamageCase{"table_cut", WithData(Stream(40)), 220, false},
                      DamageCase{"last_byte_cut", WithData(Stream(40)), kWholeFile - 1, false},
                      DamageCase{"wrong_signature", WithHeaderByte(3, 'x'), -1, false},
                      DamageCase{"header_not_a_byte", WithHeaderByte(54, 300), -1, false},
                      DamageCase{"negative_data_blocks", WithHeader(56, -1), -1, false},
                      DamageCase{"huge_data_blocks", WithHeader(56, 0x7FFFFFFF), -1, false},
                      DamageCase{"more_data_blocks_than_file", WithHeader(56, 6), -1, false},
                      DamageCase{"huge_record_blocks", WithHeader(60, 0x7FFFFFFF), -1, false},
                      DamageCase{"position_zero", WithPosition(0, 0), -1, false},
                      DamageCase{"position_in_header", WithPosition(2, 5), -1, false},
                      DamageCase{"position_in_table", WithPosition(2, 201), -1, false},
                      DamageCase{"position_past_end", WithPosition(4, kWholeFile - 14), -1, false},
                      DamageCase{"position_far_past_end", WithPosition(1, 0x7FFFFFF0), -1, false},
                      DamageCase{"position_negative", WithPosition(3, -100), -1, false}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

TEST_F(SsqFileTest, BlockValueThatIsNoByteIsRefused)
{
    QByteArray bytes = Build(Layout{.blockSize = 8, .data = Stream(40), .reverseSlots = false});
    Put16(bytes, 240, 30000); // the first value of the first block
    WriteFile(bytes);
    CSsqFile box;
    ASSERT_TRUE(box.SetKey(kKey));
    bool first = false;
    EXPECT_FALSE(box.OpenSsqFile(m_file, first));
}

TEST_F(SsqFileTest, WrittenContainerFollowsTheLayout)
{
    CSsqFile box;
    ASSERT_TRUE(box.SetKey(kKey));
    ASSERT_TRUE(box.CreateSsqFile(m_file));
    const QByteArray data = Stream(777);
    ASSERT_TRUE(box.SetData(data));
    ASSERT_TRUE(box.UpData(false));
    ASSERT_TRUE(box.CloseSsqFile());

    const QByteArray file = ReadFile();
    const Decoded d = Decode(file, kKey);
    EXPECT_EQ(d.firstFlag, 0);
    EXPECT_GE(d.blockSize, 5);
    EXPECT_LE(d.blockSize, 50);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(d.header[i], Signature()[i].unicode());
    const int64_t blocks = (777 + d.blockSize - 1) / d.blockSize;
    ASSERT_EQ(static_cast<int64_t>(d.dataPos.size()), blocks);
    EXPECT_EQ(Get32(d.header, 60), 0);
    EXPECT_EQ(file.size(), 200 + 8 * blocks + 2 * d.blockSize * blocks);
    std::set<int64_t> slots;
    for (int64_t pos : d.dataPos) {
        const int64_t offset = pos - 1 - (200 + 8 * blocks);
        ASSERT_GE(offset, 0);
        EXPECT_EQ(offset % (2 * d.blockSize), 0);
        slots.insert(offset / (2 * d.blockSize));
    }
    EXPECT_EQ(static_cast<int64_t>(slots.size()), blocks);
    EXPECT_EQ(*slots.rbegin(), blocks - 1);
    EXPECT_EQ(d.data.left(777), data);
    EXPECT_EQ(d.data.mid(777), QByteArray(d.data.size() - 777, '\0'));
}

TEST_F(SsqFileTest, TwoWritesDifferButDecodeEqual)
{
    const QByteArray data = Stream(500);
    QByteArray files[2];
    for (QByteArray& file : files) {
        QFile::remove(m_file);
        CSsqFile box;
        ASSERT_TRUE(box.SetKey(kKey));
        ASSERT_TRUE(box.CreateSsqFile(m_file));
        ASSERT_TRUE(box.SetData(data));
        ASSERT_TRUE(box.UpData(false));
        file = ReadFile();

        bool first = false;
        ASSERT_TRUE(box.OpenSsqFile(m_file, first));
        EXPECT_EQ(box.GetData().left(500), data);
    }
    EXPECT_NE(files[0], files[1]);
}

TEST_F(SsqFileTest, WholeBlocksDoNotGrowAtEverySave)
{
    // Block size 5 + round(3/45 x 45) = 8 on every write.
    std::deque<double> script;
    for (int save = 0; save < 3; ++save) {
        script.push_back(3.0 / 45.0);
        for (int r = 0; r < 15; ++r)
            script.push_back(0.25);
        for (int b = 0; b < 5; ++b)
            script.push_back(0.0);
    }
    CSsqFile box(Scripted(script));
    ASSERT_TRUE(box.SetKey(kKey));
    ASSERT_TRUE(box.CreateSsqFile(m_file));
    ASSERT_TRUE(box.SetData(Stream(40)));
    for (int save = 0; save < 3; ++save) {
        ASSERT_TRUE(box.UpData(false));
        bool first = false;
        ASSERT_TRUE(box.OpenSsqFile(m_file, first));
        EXPECT_EQ(box.GetData(), Stream(40)) << "save " << save;
        ASSERT_TRUE(box.SetData(box.GetData()));
    }
    EXPECT_EQ(ReadFile().size(), 200 + 5 * 8 + 5 * 16);
}

TEST_F(SsqFileTest, FirstWriteFlagKeysWithTheFixedKey)
{
    CSsqFile writer;
    ASSERT_TRUE(writer.SetKey(QStringLiteral("Other")));
    ASSERT_TRUE(writer.CreateSsqFile(m_file));
    ASSERT_TRUE(writer.SetData(Stream(60)));
    ASSERT_TRUE(writer.UpData(true));
    ASSERT_TRUE(writer.CloseSsqFile());
    EXPECT_EQ(Decode(ReadFile(), QString()).firstFlag, 1);

    CSsqFile reader; // any key reads it
    ASSERT_TRUE(reader.SetKey(kKey));
    bool first = false;
    ASSERT_TRUE(reader.OpenSsqFile(m_file, first));
    EXPECT_TRUE(first);
    EXPECT_TRUE(reader.GetData().startsWith(Stream(60)));
    EXPECT_EQ(Decode(ReadFile(), kKey).data.left(60), Stream(60));
}

TEST_F(SsqFileTest, RecordStreamIsCarriedThroughWrites)
{
    const QByteArray record = Stream(30, 7);
    WriteFile(Build(Layout{.blockSize = 10, .data = Stream(20), .record = record, .recCount = 3}));
    CSsqFile box;
    ASSERT_TRUE(box.SetKey(kKey));
    bool first = false;
    ASSERT_TRUE(box.OpenSsqFile(m_file, first)); // rekeys: a full write
    EXPECT_TRUE(box.GetRecord().startsWith(record));
    ASSERT_TRUE(box.SetData(Stream(90)));
    ASSERT_TRUE(box.UpData(false));
    ASSERT_TRUE(box.OpenSsqFile(m_file, first));
    EXPECT_EQ(box.RecCount(), 3);
    EXPECT_TRUE(box.GetRecord().startsWith(record));
    EXPECT_TRUE(box.GetData().startsWith(Stream(90)));

    // Without a record count the Record blocks are not read.
    WriteFile(Build(Layout{.blockSize = 10, .data = Stream(20), .record = record, .recCount = 0}));
    ASSERT_TRUE(box.OpenSsqFile(m_file, first));
    EXPECT_TRUE(box.GetRecord().isEmpty());
}

TEST_F(SsqFileTest, SetDataAndCloseReportTheirOutcome)
{
    CSsqFile box;
    ASSERT_TRUE(box.SetKey(kKey));
    EXPECT_FALSE(box.SetData(Stream(10))); // nothing open
    EXPECT_FALSE(box.UpData(false));
    ASSERT_TRUE(box.CreateSsqFile(m_file));
    EXPECT_FALSE(QFile::exists(m_file)); // written by the first UpData
    ASSERT_TRUE(box.SetData(Stream(10)));
    EXPECT_FALSE(box.SetData(QByteArray()));
    EXPECT_EQ(box.GetData(), Stream(10));
    EXPECT_TRUE(box.CloseSsqFile());
    EXPECT_FALSE(box.CloseSsqFile());

    WriteFile("existing");
    EXPECT_FALSE(box.CreateSsqFile(m_file)); // never over an existing file
}

TEST_F(SsqFileTest, FailedWriteKeepsTheOldFile)
{
    const QByteArray bytes = Build(Layout{.blockSize = 8, .firstFlag = 0, .key = kKey, .data = Stream(40)});
    WriteFile(bytes);
    CSsqFile box;
    ASSERT_TRUE(box.SetKey(kKey));
    bool first = false;
    ASSERT_TRUE(box.OpenSsqFile(m_file, first));
    // A key whose codes are too large to store makes the encoding fail.
    ASSERT_TRUE(box.SetKey(QString(15, QChar(0x7000))));
    ASSERT_TRUE(box.SetData(Stream(50)));
    EXPECT_FALSE(box.UpData(false));
    EXPECT_EQ(ReadFile(), bytes);
}

} // namespace
} // namespace kelton
