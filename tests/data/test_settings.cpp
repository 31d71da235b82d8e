#include "data/settings.h"

#include <functional>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "data/text_helpers.h"
#include "platform/help_pages.h"
#include "support/test_support.h"

namespace kelton {
namespace {

const QString kKey = QString::fromLatin1(kSetFileKey);

class SettingsTest : public test::ProgramFolderTest {
protected:
    AppState m_state; // fresh for each test

    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Forget();
        m_state.SetFilePath = Path(QStringLiteral("Kelt.dat"));
    }

    // The state of a program that has not read its settings yet.
    void Forget()
    {
        AppState& app = m_state;
        app.SettingRecord = SettingRecordType();
        app.SysInfo = ServerInfo();
        app.LottoItems = CLottoItem();
        app.SetFileState = SettingsFileState::NotRead;
    }

    QByteArray FileBytes() const
    {
        QFile f(Path(QStringLiteral("Kelt.dat")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void WriteFileBytes(const QByteArray& bytes)
    {
        QFile f(Path(QStringLiteral("Kelt.dat")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // A container at the settings path holding the given Data stream.
    void WriteStream(const QByteArray& stream, bool firstWrite = false)
    {
        QFile::remove(Path(QStringLiteral("Kelt.dat")));
        CSsqFile box;
        ASSERT_TRUE(box.SetKey(kKey));
        ASSERT_TRUE(box.CreateSsqFile(Path(QStringLiteral("Kelt.dat"))));
        ASSERT_TRUE(box.SetData(stream));
        ASSERT_TRUE(box.UpData(firstWrite));
    }

    // Fills the settings with something of everything.
    void FillSettings()
    {
        AppState& app = m_state;
        QByteArray raw(SettingRecordType::kSize, '\0');
        for (int i = 0; i < raw.size(); ++i)
            raw[i] = static_cast<char>((i * 7 + 3) & 0xFF); // reserved bytes too
        ASSERT_TRUE(app.SettingRecord.SetBytes(raw));
        app.SettingRecord.SetShowToolBar(kTrue);
        app.SettingRecord.SetShowStatusBar(kFalse);
        app.SettingRecord.SetProxyHost(QStringLiteral("proxy.example"));
        app.SettingRecord.SetProxyPort(8080);
        app.SettingRecord.SetProxyUser(QStringLiteral("用户"));
        app.SysInfo.FromText(
            QStringLiteral("[Address]\r\nhttp://a/\r\n[Notify]\r\n通知\thttp://n/\r\n"
                           "[NewEdition3]\r\n2.04\t2.10\thttp://up/\r\n[Other]\r\nkept\r\n"));
        app.LottoItems.SetInfoStr(QStringLiteral("[LOTTOITEM_GROUP]\r\n3D\r\n[LOTTOITEM_DATA]\r\n"
                                                 "0\t福彩3D\t/games/lottor1000\r\n"));
        app.LottoItems.LottoAdd(QStringLiteral("0"), QStringLiteral("Pick=3"),
                                QStringLiteral("/games/lottor1001"));
        app.LottoItems.SetSelectItem(1);
    }
};

TEST_F(SettingsTest, IniSystemSetsThePathsInTheProgramFolder)
{
    IniSystem(m_state);
    EXPECT_EQ(m_state.SetFilePath, QDir::cleanPath(Path(QStringLiteral("Kelt.dat"))));
    EXPECT_EQ(HelpFolder(), QDir::cleanPath(Path(QStringLiteral("Help"))));
}

TEST_F(SettingsTest, FreshMachineStartsEmptyAndCreatesTheFileAtExit)
{
    IniSystem(m_state);
    AppState& app = m_state;
    EXPECT_EQ(app.SetFileState, SettingsFileState::Missing);
    EXPECT_EQ(app.LottoItems.LottoCount(), 0);
    EXPECT_EQ(app.SysInfo.SysAddress, QStringList({QString::fromLatin1(kDefaultSiteAddress)}));
    EXPECT_EQ(app.SettingRecord.ShowToolBar(), kTrue);
    EXPECT_EQ(app.SettingRecord.ShowStatusBar(), kTrue);
    EXPECT_EQ(app.SettingRecord.ShowChooser(), kTrue);
    EXPECT_EQ(app.SettingRecord.UseProxy(), kFalse);
    EXPECT_FALSE(QFile::exists(app.SetFilePath)); // nothing written before exit

    app.LottoItems.LottoAdd(QStringLiteral("0"), QStringLiteral("New"), QStringLiteral("/g/lottor1000"));
    ASSERT_TRUE(SaveSetFile(m_state, kKey));
    ASSERT_TRUE(QFile::exists(app.SetFilePath));

    Forget();
    IniSystem(m_state);
    EXPECT_EQ(app.SetFileState, SettingsFileState::Loaded);
    ASSERT_EQ(app.LottoItems.LottoCount(), 1);
    EXPECT_EQ(app.LottoItems.LottoItemGet(0, 1), u"New");
}

TEST_F(SettingsTest, SaveAndOpenKeepEverything)
{
    FillSettings();
    AppState& app = m_state;
    ASSERT_TRUE(SaveSetFile(m_state, kKey));
    const SettingRecordType record = app.SettingRecord;
    const ServerInfo info = app.SysInfo;
    const QString games = app.LottoItems.InfoStr();

    Forget();
    OpenSetFile(m_state, kKey);
    EXPECT_EQ(app.SetFileState, SettingsFileState::Loaded);
    EXPECT_EQ(app.SettingRecord.Bytes(), record.Bytes());
    EXPECT_EQ(app.SettingRecord.ProxyHost(), u"proxy.example");
    EXPECT_EQ(app.SettingRecord.ProxyUser(), u"用户");
    EXPECT_EQ(app.SettingRecord.ProxyPort(), 8080);
    EXPECT_EQ(app.SysInfo, info);
    EXPECT_EQ(app.SysInfo.SysNewEdition, u"2.10");
    EXPECT_EQ(app.LottoItems.InfoStr(), games);
    EXPECT_EQ(app.LottoItems.SelectItem(), 1);
    EXPECT_EQ(app.LottoItems.LottoItemGet(1, 1), u"Pick=3");
}

TEST_F(SettingsTest, TwoSavesDifferButReadTheSame)
{
    FillSettings();
    ASSERT_TRUE(SaveSetFile(m_state, kKey));
    const QByteArray first = FileBytes();
    ASSERT_TRUE(SaveSetFile(m_state, kKey));
    const QByteArray second = FileBytes();
    EXPECT_NE(first, second);

    const SettingRecordType record = m_state.SettingRecord;
    const ServerInfo info = m_state.SysInfo;
    const QString games = m_state.LottoItems.InfoStr();
    for (const QByteArray& bytes : {first, second}) {
        WriteFileBytes(bytes);
        Forget();
        OpenSetFile(m_state, kKey);
        EXPECT_EQ(m_state.SettingRecord, record);
        EXPECT_EQ(m_state.SysInfo, info);
        EXPECT_EQ(m_state.LottoItems.InfoStr(), games);
    }
}

TEST_F(SettingsTest, StreamLayoutIsRecordThenServerTextThenGameList)
{
    FillSettings();
    ASSERT_TRUE(SaveSetFile(m_state, kKey));
    CSsqFile box;
    ASSERT_TRUE(box.SetKey(kKey));
    bool first = false;
    ASSERT_TRUE(box.OpenSsqFile(m_state.SetFilePath, first));
    const QByteArray stream = box.GetData();
    SettingRecordType record;
    ASSERT_TRUE(record.SetBytes(stream));
    const QString sysText = m_state.SysInfo.ToText();
    const QString gameText = m_state.LottoItems.InfoStr();
    EXPECT_EQ(record.SysInfoLen(), 2 * sysText.size());
    EXPECT_EQ(record.GameListLen(), 2 * gameText.size());
    const QByteArray sysBytes = stream.mid(SettingRecordType::kSize, record.SysInfoLen());
    EXPECT_EQ(
        QString::fromUtf16(reinterpret_cast<const char16_t*>(sysBytes.constData()), sysBytes.size() / 2),
        sysText);
    // Little-endian code units: "[" then 0.
    EXPECT_EQ(stream.mid(SettingRecordType::kSize + record.SysInfoLen(), 4), QByteArray("[\0L\0", 4));
}

TEST_F(SettingsTest, InstalledFirstWriteFileIsReadAndRekeyed)
{
    SettingRecordType record = SettingRecordType::Defaults();
    const QString games = QStringLiteral("[LOTTOITEM_DATA]\r\n0\tG\t/g\r\n[LOTTOITEM_SELECT]\r\n0");
    QByteArray gameBytes;
    for (QChar c : games)
        gameBytes.append(static_cast<char>(c.unicode() & 0xFF)).append(static_cast<char>(c.unicode() >> 8));
    record.SetGameListLen(static_cast<int32_t>(gameBytes.size()));
    WriteStream(record.Bytes() + gameBytes, true);

    OpenSetFile(m_state, QStringLiteral("AnyKey"));
    EXPECT_EQ(m_state.SetFileState, SettingsFileState::Loaded);
    EXPECT_EQ(m_state.LottoItems.LottoCount(), 1);

    Forget();
    OpenSetFile(m_state, QStringLiteral("AnyKey")); // now keyed with that key
    EXPECT_EQ(m_state.LottoItems.LottoCount(), 1);
}

struct BadStreamCase {
    const char* name;
    int size;       // bytes in the stream (padded by up to 49 zeros in the container)
    int32_t sysLen; // lengths the record announces
    int32_t gameLen;
};

class SettingsBadStreamTest : public SettingsTest, public ::testing::WithParamInterface<BadStreamCase> {};

TEST_P(SettingsBadStreamTest, UnreadableFileIsNeverOverwritten)
{
    const BadStreamCase& c = GetParam();
    SettingRecordType record;
    record.SetSysInfoLen(c.sysLen);
    record.SetGameListLen(c.gameLen);
    WriteStream(record.Bytes().leftJustified(c.size, 'x', true));
    const QByteArray before = FileBytes();

    OpenSetFile(m_state, kKey);
    AppState& app = m_state;
    EXPECT_EQ(app.SetFileState, SettingsFileState::Unreadable);
    EXPECT_EQ(app.LottoItems.LottoCount(), 0);
    EXPECT_EQ(app.SysInfo.SysAddress, QStringList({QString::fromLatin1(kDefaultSiteAddress)}));

    app.LottoItems.LottoAdd(QStringLiteral("0"), QStringLiteral("G"), QStringLiteral("/g"));
    EXPECT_FALSE(SaveSetFile(m_state, kKey));
    EXPECT_EQ(FileBytes(), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsBadStreamTest,
                         ::testing::Values(BadStreamCase{"shorter_than_record", 2000, 0, 0},
                                           BadStreamCase{"server_text_past_end", 2100, 100, 0},
                                           BadStreamCase{"game_list_past_end", 2100, 4, 96},
                                           BadStreamCase{"negative_length", 2100, -2, 0},
                                           BadStreamCase{"huge_lengths", 2100, 0x7FFFFFFE, 0x7FFFFFFE},
                                           BadStreamCase{"odd_length", 2100, 3, 0}),
                         [](const ::testing::TestParamInfo<BadStreamCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SettingsTest, DamagedOrForeignFileIsNeverOverwritten)
{
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    FillSettings();
    ASSERT_TRUE(SaveSetFile(m_state, kKey));
    const QByteArray good = FileBytes();
    const Case cases[] = {
        {"garbage", QByteArray(500, '\x7F')},
        {"truncated", good.left(good.size() - 1)},
        {"empty", QByteArray()},
    };
    for (const Case& c : cases) {
        WriteFileBytes(c.bytes);
        Forget();
        OpenSetFile(m_state, kKey);
        EXPECT_EQ(m_state.SetFileState, SettingsFileState::Unreadable) << c.name;
        EXPECT_FALSE(SaveSetFile(m_state, kKey)) << c.name;
        EXPECT_EQ(FileBytes(), c.bytes) << c.name;
    }

    // A settings file written with another key reads as something else or not at all.
    WriteFileBytes(good);
    Forget();
    OpenSetFile(m_state, QStringLiteral("Another key"));
    EXPECT_NE(m_state.LottoItems.LottoCount(), 2);
}

TEST_F(SettingsTest, SaveReportsAFailedWrite)
{
    m_state.SetFilePath = Path(QStringLiteral("no/such/folder/Kelt.dat"));
    OpenSetFile(m_state, kKey);
    EXPECT_EQ(m_state.SetFileState, SettingsFileState::Missing);
    EXPECT_FALSE(SaveSetFile(m_state, kKey));
    EXPECT_FALSE(SaveSetFile(m_state, QStringLiteral("a key longer than fifteen")));
}

TEST_F(SettingsTest, FileAppearingUnreadDuringTheRunIsNotOverwritten)
{
    OpenSetFile(m_state, kKey); // missing
    WriteFileBytes("written by someone else");
    EXPECT_FALSE(SaveSetFile(m_state, kKey));
    EXPECT_EQ(FileBytes(), QByteArray("written by someone else"));
}

TEST_F(SettingsTest, SaveWritesOnlyCompactedGamesAndAValidDefault)
{
    OpenSetFile(m_state, kKey);
    CLottoItem& items = m_state.LottoItems;
    items.LottoAdd(QStringLiteral("0"), QStringLiteral("A"), QStringLiteral("/a"));
    items.LottoAdd(QStringLiteral("0"), QStringLiteral("B"), QStringLiteral("/b"));
    items.SetSelectItem(1);
    items.LottoDel(1);
    ASSERT_TRUE(SaveSetFile(m_state, kKey));
    Forget();
    OpenSetFile(m_state, kKey);
    EXPECT_EQ(items.LottoCount(), 1);
    EXPECT_EQ(items.SelectItem(), 0);
}

TEST(SettingRecordTest, EveryFieldLiesAtItsOffset)
{
    struct Field {
        const char* name;
        std::function<void(SettingRecordType&)> set;
        int offset;
        QByteArray bytes;
    };
    const Field fields[] = {
        {"GameListLen", [](SettingRecordType& r) { r.SetGameListLen(0x01020304); }, 0, "\x04\x03\x02\x01"},
        {"SysInfoLen", [](SettingRecordType& r) { r.SetSysInfoLen(0x05060708); }, 4, "\x08\x07\x06\x05"},
        {"ShowToolBar", [](SettingRecordType& r) { r.SetShowToolBar(kTrue); }, 66, "\xFF\xFF"},
        {"ShowStatusBar", [](SettingRecordType& r) { r.SetShowStatusBar(kTrue); }, 68, "\xFF\xFF"},
        {"ShowChooser", [](SettingRecordType& r) { r.SetShowChooser(kTrue); }, 84, "\xFF\xFF"},
        {"UseProxy", [](SettingRecordType& r) { r.SetUseProxy(kTrue); }, 86, "\xFF\xFF"},
        {"ProxyHost", [](SettingRecordType& r) { r.SetProxyHost(QStringLiteral("h")); }, 88, "h"},
        {"ProxyPort", [](SettingRecordType& r) { r.SetProxyPort(0x0A0B0C0D); }, 140, "\x0D\x0C\x0B\x0A"},
        {"ProxyAuth", [](SettingRecordType& r) { r.SetProxyAuth(kTrue); }, 144, "\xFF\xFF"},
        {"ProxyUser", [](SettingRecordType& r) { r.SetProxyUser(QStringLiteral("u")); }, 146, "u"},
        {"ProxyPassword", [](SettingRecordType& r) { r.SetProxyPassword(QStringLiteral("p")); }, 196, "p"},
    };
    for (const Field& f : fields) {
        SettingRecordType record;
        f.set(record);
        QByteArray expected(SettingRecordType::kSize, '\0');
        expected.replace(f.offset, f.bytes.size(), f.bytes);
        EXPECT_EQ(record.Bytes(), expected) << f.name;
    }
}

TEST(SettingRecordTest, ProxyTextsTakeAtMost25Characters)
{
    SettingRecordType record;
    record.SetProxyHost(QStringLiteral("abcdefghijklmnopqrstuvwxyz0123"));
    EXPECT_EQ(record.ProxyHost(), u"abcdefghijklmnopqrstuvwxy");
    record.SetProxyHost(QStringLiteral("ab"));
    EXPECT_EQ(record.ProxyHost(), u"ab");
    const QByteArray bytes = record.Bytes();
    EXPECT_EQ(bytes.mid(88, 6), QByteArray("a\0b\0\0\0", 6));
    EXPECT_EQ(bytes.mid(92, 46), QByteArray(46, '\0')); // zero-filled

    record.SetProxyPassword(QStringLiteral("pw"));
    record.SetProxyPort(-2);
    record.SetUseProxy(kTrue);
    EXPECT_EQ(record.Bytes().mid(196, 4), QByteArray("p\0w\0", 4));
    EXPECT_EQ(record.Bytes().mid(140, 4), QByteArray("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(record.Bytes().mid(86, 2), QByteArray("\xFF\xFF", 2));
    EXPECT_FALSE(record.SetBytes(QByteArray(2091, '\0')));
    EXPECT_EQ(record.ProxyPort(), -2);
}

} // namespace
} // namespace kelton
