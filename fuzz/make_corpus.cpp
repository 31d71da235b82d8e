// Writes the seed files of fuzz/corpus/<target>/ with the program's own
// writers, so that every seed is a file or text the program really produces.
// Usage: make_corpus <corpus folder>
#include <cstdio>
#include <random>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "data/app_state.h"
#include "data/draw_text.h"
#include "data/filter_items.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "data/settings.h"
#include "data/ssq_file.h"
#include "data/text_helpers.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "filter/scheme_file.h"
#include "formula/way_file.h"
#include "otherfilter/other_sections.h"
#include "pickers/ball_list.h"
#include "platform/gbk.h"
#include "platform/help_pages.h"
#include "results/bet_file.h"
#include "support.h"

using namespace kelton;

namespace {

QString g_root;

void Seed(const char* target, const char* name, const QByteArray& bytes)
{
    const QString folder = g_root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + QLatin1String(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fuzz::Fail("write a seed", __FILE__, __LINE__);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fuzz::Fail("read a written file", __FILE__, __LINE__);
    return file.readAll();
}

// A definition with something in every section: sources, formats, prizes,
// colours and formulas.
void FillDefinition(CLottorHead& head)
{
    head.SetWwwNumLink(0, QStringLiteral("http://www.example.cn/3d/history.txt"));
    head.SetWwwNumFormat(0, QStringLiteral("N X X X"));
    head.SetWwwNumCaption(0, QStringLiteral("中彩网"));
    head.SetWwwNumLink(1, QStringLiteral("http://data.example/fc3d.csv"));
    head.SetWwwNumFormat(1, head.GetDefFormat());
    head.SetNumFormatStr(1, head.GetDefFormat());
    QString other = QStringLiteral("N,T,");
    for (int i = 0; i < head.BcMain; ++i)
        other += i ? QStringLiteral("-X") : QStringLiteral("X");
    for (int i = 0; i < head.MrMain; ++i)
        other += QStringLiteral("+Y");
    head.SetNumFormatStr(2, other);
    head.SetWinMod(head.BcMain, head.MrMain, 1, Currency::FromUnits(1000));
    head.SetWinMod(head.BcMain, head.MrMain, 0, Currency::FromUnits(50));
    head.SetWinMod(head.BcMain > 1 ? head.BcMain - 1 : 0, 0, 1, *Currency::FromText(QStringLiteral("12.5")));
    head.SetRowColor(0, Rgb(250, 250, 250));
    head.WayGroupAdd(QStringLiteral("和值"));
    head.WayGroupAdd(QStringLiteral("跨度=[1]"));
    head.WayAdd(0, QStringLiteral("杀号一"), QStringLiteral("num(1,3,0)+1\r\nmod 10"), 0, QString());
    head.WayAdd(1, QStringLiteral("own"), QStringLiteral("fil(5,0)"),
                static_cast<int16_t>(head.Ways().OwnConsultIndex()), QStringLiteral("fil(6,1)'x"));
}

void DefinitionSeeds()
{
    for (int game = 0; game < fuzz::kGameCount; ++game) {
        CLottorHead head;
        fuzz::DefineGame(head, game);
        const QByteArray plainName = QByteArray("plain") + QByteArray::number(game);
        Seed("lottor_head", plainName.constData(), fuzz::GbkSeed(head.HeadStr()));
        FillDefinition(head);
        const QByteArray fullName = QByteArray("full") + QByteArray::number(game);
        Seed("lottor_head", fullName.constData(), fuzz::GbkSeed(head.HeadStr()));
        Seed("lottor_options", fullName.constData(), fuzz::GbkSeed(head.InfoStr()));
    }
}

void ServerInfoSeeds()
{
    ServerInfo info;
    info.FromText(QStringLiteral(
        "'server information\r\n[Address]\r\nhttp://www.kelton.example/\r\nData=http://mirror.example/\r\n"
        "[Notify]\r\n新版本发布\thttp://www.kelton.example/news.htm\r\n[News]\r\n今日开奖\r\n"
        "[Field]\r\nf1\r\n[Email]\r\nmail@example.cn\r\n[QQ]\r\n12345\r\n[Tel]\r\n010-1234\r\n"
        "[NewEdition3]\r\n2.04\t2.10\thttp://www.kelton.example/up.txt\r\n"
        "[ShowPage]\r\nhttp://www.kelton.example/a.htm\r\n[SendInfo]\r\nhttp://s/\r\n"
        "[LottoDataWebPath]\r\nhttp://d/\r\n[MenuSever]\r\nhttp://m/\r\n[MenuNew]\r\nhttp://n/\r\n"
        "[Other]\r\nData=kept\r\n"));
    Seed("server_info", "full", fuzz::GbkSeed(info.ToText()));
    Seed("server_info", "full_utf16", fuzz::Utf16Seed(info.ToText()));
    ServerInfo empty;
    empty.FromText(QString());
    Seed("server_info", "empty", fuzz::GbkSeed(empty.ToText()));
}

CLottoItem GameList()
{
    CLottoItem items;
    items.SetInfoStr(QStringLiteral("[LOTTOITEM_GROUP]\r\n3D\r\n排列三\r\n[LOTTOITEM_DATA]\r\n"));
    items.LottoAdd(QStringLiteral("0"), QStringLiteral("福彩3D"), QStringLiteral("/games/lottor1000"));
    items.LottoAdd(QStringLiteral("0 1"), QStringLiteral("Pick=3 [test]"), QStringLiteral("C:\\g\\l:1,2"));
    items.LottoAdd(QStringLiteral(""), QStringLiteral("gone"), QStringLiteral("/g"));
    items.LottoDel(2);
    items.SetSelectItem(1);
    return items;
}

void GameListSeeds()
{
    CLottoItem items = GameList();
    Seed("lotto_items", "list", fuzz::Utf16Seed(items.InfoStr()));
    Seed("lotto_items", "list_gbk", fuzz::GbkSeed(items.InfoStr()));
    CLottoItem none;
    Seed("lotto_items", "empty", fuzz::Utf16Seed(none.InfoStr()));
}

void SettingsSeeds()
{
    QTemporaryDir dir;
    AppState app;
    const QString key = QString::fromLatin1(kSetFileKey);
    const QString path = dir.filePath(QStringLiteral("Kelt.dat"));
    app.SetFilePath = path;

    auto save = [&](const char* name) {
        QFile::remove(path);
        app.SetFileState = SettingsFileState::Missing;
        if (!SaveSetFile(app, key))
            fuzz::Fail("save the settings", __FILE__, __LINE__);
        Seed("ssq_file", name, ReadAll(path));
        CSsqFile box;
        bool first = false;
        box.SetKey(key);
        if (!box.OpenSsqFile(path, first))
            fuzz::Fail("open the settings", __FILE__, __LINE__);
        Seed("settings", name, box.GetData());
    };

    app.SettingRecord = SettingRecordType::Defaults();
    app.SysInfo.FromText(QString());
    app.LottoItems = CLottoItem();
    save("fresh");

    app.SettingRecord.SetUseProxy(kTrue);
    app.SettingRecord.SetProxyHost(QStringLiteral("proxy.example"));
    app.SettingRecord.SetProxyPort(8080);
    app.SettingRecord.SetProxyUser(QStringLiteral("用户"));
    app.SysInfo.FromText(QStringLiteral("[Address]\r\nhttp://a/\r\n[Notify]\r\n通知\thttp://n/\r\n"
                                        "[NewEdition3]\r\n2.04\t2.10\thttp://up/\r\n"));
    app.LottoItems = GameList();
    save("games");

    // A container as it is first written, keyed with the fixed key.
    QFile::remove(path);
    CSsqFile box;
    box.SetKey(key);
    box.CreateSsqFile(path);
    box.SetData(QByteArray("first-write container"));
    box.UpData(true);
    Seed("ssq_file", "first_write", ReadAll(path));
}

void DrawTextSeeds()
{
    QFile sample(QStringLiteral(KELTON_SAMPLE_HISTORY));
    if (!sample.open(QIODevice::ReadOnly))
        fuzz::Fail("read the sample history", __FILE__, __LINE__);
    const QStringList csv = SplitLines(QString::fromUtf8(sample.readAll()));
    // The sample history as it is imported, with a format of its own.
    QString imported = QStringLiteral("N,XXX\r\n");
    for (qsizetype i = 1; i <= 12 && i < csv.size(); ++i)
        imported += csv[i].section(QLatin1Char(','), 0, 0) + QLatin1Char(',') +
                    csv[i].section(QLatin1Char(','), 2, 2) + QStringLiteral("\r\n");
    // The draw editor reads the same texts into its table.
    for (const char* target : {"draw_text", "draw_import"})
        Seed(target, "imported", fuzz::GbkSeed(imported));

    // Draws written with each game's formats.
    for (int game = 0; game < fuzz::kGameCount; ++game) {
        CLottorHead head;
        fuzz::DefineGame(head, game);
        FillDefinition(head);
        std::vector<Draw> draws;
        for (int d = 0; d < 6; ++d) {
            Draw draw;
            draw.Issue = 2024001 + d;
            draw.Num.assign(static_cast<size_t>(head.BM) + 1, 0);
            for (int p = 1; p <= head.BM; ++p)
                draw.Num[static_cast<size_t>(p)] =
                    static_cast<int16_t>((d * 7 + p * 3) % ((p <= head.BcMain ? head.BcDataLen : head.MrDataLen) + 1));
            draws.push_back(draw);
        }
        for (int16_t f = 0; f <= 2; ++f) {
            QString text;
            if (NumToStr(head, head.NumFormatStr(f), draws, text))
                continue;
            const QByteArray name = QByteArray("game") + QByteArray::number(game) + "_format" + QByteArray::number(f);
            for (const char* target : {"draw_text", "draw_import"})
                Seed(target, name.constData(), fuzz::GbkSeed(head.NumFormatStr(f) + QStringLiteral("\r\n") + text));
        }
    }
}

void FilterItemSeeds()
{
    CLottorHead head;
    fuzz::DefineGame(head, 0);
    CFilterMatch match;
    match.IniClass(&head);
    match.AddPerVal(QStringLiteral("√\t1 3 5\t1-2\tХ\t√"));
    match.AddPerVal(QStringLiteral("√\t0 1,2 3,4 5 6\t0 3\t√\tХ"));
    CFilterHistory history;
    history.IniClass(&head);
    history.AddPerVal(QStringLiteral("√\t0\t100\t0-2\t1\tХ\t√"));
    history.AddPerVal(QStringLiteral("Х\t3\t全部\t1\t0\t√\tХ"));
    CFilterGather gather;
    gather.IniClass(&head);
    gather.AddPerVal(QStringLiteral("√\t0\t1\t5\t2-4 8\tХ\t√"));

    auto lines = [](const auto& list) {
        QStringList out;
        for (int16_t i = 1; i <= list.ItemCount(); ++i)
            out << list.PerVal(i);
        return out.join(QStringLiteral("\r\n"));
    };
    Seed("filter_items", "match", fuzz::GbkSeed(lines(match)));
    Seed("filter_items", "history", fuzz::GbkSeed(lines(history)));
    Seed("filter_items", "gather", fuzz::GbkSeed(lines(gather)));
}

void ValueSetSeeds()
{
    struct Case {
        const char* name;
        int16_t low;
        int16_t high;
        const char* text;
    };
    const Case cases[] = {
        {"digits", 0, 9, "0 2-4 7 9"},
        {"sums", 0, 27, "3 5-9 13 20-27"},
        {"wide", 0, 32767, "1-100 5000 32767"},
        {"hits", 0, 50, "0-2"},
    };
    for (const Case& c : cases) {
        QByteArray bytes;
        bytes += static_cast<char>(c.low & 0xFF);
        bytes += static_cast<char>((c.low >> 8) & 0xFF);
        bytes += static_cast<char>(c.high & 0xFF);
        bytes += static_cast<char>((c.high >> 8) & 0xFF);
        bytes += RangeToStr(StrToRange(QString::fromLatin1(c.text), c.low, c.high)).toUtf8();
        Seed("value_set", c.name, bytes);
    }
}

void BallListSeeds()
{
    struct Case {
        const char* name;
        uint8_t bcMain;
        uint8_t bcDataLen;
        uint8_t bcNumMaxLen;
        const char* text;
    };
    const Case cases[] = {
        {"group", 3, 9, 1, "1 3 5"},
        {"single", 3, 9, 1, "0 1,2,3 4"},
        {"padded", 3, 33, 2, "01 05"},
        {"empty_single", 3, 9, 1, ",,"},
    };
    for (const Case& c : cases) {
        CLottorHead head;
        head.BcMain = head.BM = c.bcMain;
        head.BcDataLen = c.bcDataLen;
        head.BcNumMaxLen = c.bcNumMaxLen;
        CBallList list;
        list.SetHeadData(head);
        list.SetBall(QString::fromLatin1(c.text));
        QByteArray bytes;
        bytes += static_cast<char>(c.bcMain - 1);
        bytes += static_cast<char>(c.bcDataLen);
        bytes += static_cast<char>(c.bcNumMaxLen);
        bytes += list.Ball().toUtf8();
        Seed("ball_list", c.name, bytes);
    }
}

void HttpSeeds()
{
    // The first byte sets the size of the pieces the response arrives in.
    Seed("http_response", "length",
         QByteArray("\x07HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 12\r\n\r\n"
                    "2024001 123\n"));
    Seed("http_response", "chunked",
         QByteArray("\x03HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                    "5\r\nhello\r\n6;ext=1\r\n world\r\n0\r\nX-Trailer: 1\r\n\r\n"));
    Seed("http_response", "until_close", QByteArray("\x10HTTP/1.0 200 OK\r\nServer: x\r\n\r\nbody until the end"));
    // Bit 5 of the first byte bounds the body to 64 bytes.
    Seed("http_response", "bounded",
         QByteArray("\x25HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                    "20\r\n0123456789abcdef0123456789abcdef\r\n21\r\n0123456789abcdef0123456789abcdefX\r\n"
                    "0\r\n\r\n"));
    Seed("http_response", "not_found",
         QByteArray("\x01HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found"));
}

void UpgradeListSeeds()
{
    Seed("upgrade_list", "list",
         ToGbk(QStringLiteral("setup.exe\thttp://www.kelton.example/up/setup.exe\t\\\t1\r\n"
                              "说明.txt\thttp://www.kelton.example/up/readme.txt\t\\文档\\\t0\r\n"
                              " data.dll \twww.kelton.example/up/data.dll\t\\sub\\lib\\\t0\textra\n")));
    // Lines the reader skips or refuses.
    Seed("upgrade_list", "refused",
         ToGbk(QStringLiteral("ok.txt\thttp://u/ok.txt\t\\\t0\r\n"
                              "evil.exe\thttp://u/evil.exe\t\\..\\\t1\r\n"
                              "invoice\u202Efdp.sh\thttp://u/x\t\\\t1\r\n"
                              "short\tline\r\n"
                              "a.exe\thttp://u/a\tC:\\\t1\r\n")));
}

void HelpPageSeeds()
{
    // Pages shipped with the build, each naming its encoding another way: GBK
    // by its meta charset, UTF-16 by its byte order mark, UTF-8 by naming none.
    const QDir shipped(DefaultHelpFolder());
    auto page = [&shipped](const char* name) {
        return QString::fromUtf8(ReadAll(shipped.filePath(QLatin1String(name))));
    };
    const QString utf8Meta = QStringLiteral("charset=utf-8");
    Seed("help_page", "gbk", ToGbk(page("qy.htm").replace(utf8Meta, QStringLiteral("charset=gb2312"))));
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    Seed("help_page", "utf16", utf16.encode(page("FAbout.htm")));
    Seed("help_page", "unnamed", page("MDIMain.htm").remove(utf8Meta).toUtf8());
}

// count draws of a game, as read from text (positions in reading order):
// number p of draw d is value(d, p), taken into the range of its position.
template <class Value> std::vector<Draw> MakeDraws(const CLottorHead& head, int count, Value value)
{
    std::vector<Draw> draws;
    for (int d = 0; d < count; ++d) {
        Draw draw;
        draw.Issue = 2024001 + d;
        draw.Num.assign(static_cast<size_t>(head.BM) + 1, 0);
        for (int p = 1; p <= head.BM; ++p) {
            const uint32_t high = static_cast<uint32_t>(p <= head.BcMain ? head.BcDataLen : head.MrDataLen);
            draw.Num[static_cast<size_t>(p)] = static_cast<int16_t>(value(d, p) % (high + 1));
        }
        draws.push_back(draw);
    }
    return draws;
}

std::vector<Draw> SomeDraws(const CLottorHead& head, int count)
{
    return MakeDraws(head, count, [](int d, int p) { return static_cast<uint32_t>(d * 7 + p * 3 + 1); });
}

// A history longer than the statistics' farthest look-back, spread like
// real draws, the same on every run.
constexpr int kLongHistory = 310;

std::vector<Draw> LongDraws(const CLottorHead& head)
{
    std::mt19937 random(20241001);
    return MakeDraws(head, kLongHistory, [&](int, int) { return static_cast<uint32_t>(random()); });
}

void GameFileSeeds()
{
    QTemporaryDir dir;
    for (int game = 0; game < 2; ++game) {
        const QString path = dir.filePath(QStringLiteral("lottor%1.dat").arg(game));
        {
            CLottorData created;
            CLottorHead filled = fuzz::Game(game);
            FillDefinition(filled);
            if (created.CreateData(filled.HeadStr(), path, static_cast<int16_t>(1000 + game)))
                fuzz::Fail("create a game", __FILE__, __LINE__);
        }
        const QByteArray empty = QByteArray("game") + QByteArray::number(game) + "_empty";
        Seed("lottor_data", empty.constData(), ReadAll(path));

        CLottorData data;
        if (data.OpenData(CStat::kViewCount, path))
            fuzz::Fail("open a game", __FILE__, __LINE__);
        if (data.Add(SomeDraws(data.HeadData, game == 0 ? 4 : 3)) <= 0 || data.UpData())
            fuzz::Fail("add draws", __FILE__, __LINE__);
        const QByteArray drawn = QByteArray("game") + QByteArray::number(game) + "_draws";
        Seed("lottor_data", drawn.constData(), ReadAll(path));

        // The statistics files of the three-digit game, one per view; the
        // first byte of a seed names the view.
        if (game == 0) {
            for (int16_t v = 0; v < CStat::kViewCount; v += 3) {
                const QByteArray name = QByteArray("view") + QByteArray::number(v);
                Seed("stat_file", name.constData(),
                     QByteArray(1, static_cast<char>(v)) + ReadAll(CLottorData::StatPath(path, v)));
            }
        }

        // A history long enough for every look-back of the statistics (the
        // longest reaches 301 draws back).
        if (data.Add(LongDraws(data.HeadData)) <= 0 || data.UpData())
            fuzz::Fail("add a long history", __FILE__, __LINE__);
        const QByteArray longName = QByteArray("game") + QByteArray::number(game) + "_long";
        Seed("lottor_data", longName.constData(), ReadAll(path));
        if (game == 0)
            Seed("stat_file", "view1_long", QByteArray(1, 1) + ReadAll(CLottorData::StatPath(path, 1)));
    }
}

// Formulas as users write them: the examples of the language's help and of
// its tests, one seed each (UTF-8).
void FormulaSeeds()
{
    const char* const formulas[] = {
        "",
        "' a comment only\r\n\r\n",
        "a=Num(1,3,0)\r\na|Num(1,3,1)",
        "a=1\r\nb=a\r\nb+1",
        "a=a+1",
        "x=1=2",
        "a=1\r\na=2\r\na+1",
        "5'comment",
        "Num (1,3,0)",
        "1+ Num(1,3,0)",
        "Numx(1)",
        "Num",
        "a=1\r\n(a)",
        "Max(Num(1,3,0),2)",
        "Max(1,2))",
        "1+2*3",
        "{1;-2}+1",
        "{40000}",
        "1+2+3\r\n4+5+6+7\r\nx",
        "{1;2}+{10;20}",
        "{05;7}&{5}",
        "{5}!{5.0}",
        "{1;2}#{2;3}",
        "{1}/{3}",
        "{-7}\\{2}",
        "{0.5}*{0.5}",
        "{400000}*{400000}",
        "Mod({-7;7},{3})",
        "Mod({8},{0})",
        "Iss()",
        "Sor(0,0,5,3)",
        "Val(0,6,50,60)",
        "Val(0,0,3,3,0,3)",
        "TiR(0,1,1,2)",
        "TiL(0,8,1,1,1)",
        "Rep(0,1,2)",
        "Cyc(4)",
        "Fil(1)",
        "Bal(5,99)",
        "Btn({05;07})",
        "Ntb({1;2})",
        "Bet({},1,1,{2.7;-2.7;5000})",
        "Int({-1.5;2.5})|Dec({1.2;4.6;8.4})|Abs({-05;3})",
        "Max({3;9;9;1},2)|Min({3;9;1},{2})",
        "App({1;5},2,3)",
        "Des({1;5;9},{0},5)",
        "Iif({},1,2)",
        "Iis({1;2;3;-3})|Iis({3;5;3},4)|Iis({1;5;9},20,{5;1})|Iis({1;5;9},21,{2;4})",
        "Onl({1;2;1;3})",
        "n0=1\r\nn1=n0|n0\r\nn2=n1|n1\r\nn3=n2|n2\r\nn3|n3",
        ("a=Num(1,3,1)\r\nb=Sor(0,6,0,2)\r\nc=Val(0,6,5,99)\r\nd=TiR(0,1,1,1,1)\r\ne=Rep(0,1,1,1)\r\n"
         "f=Cyc(1)|Cyc(2)|Cyc(3)\r\nIif(Fil(1)-{13},Onl(Max(a|b|c,3)|f),d)!e"),
    };
    int n = 0;
    for (const char* f : formulas) {
        const QByteArray name = QByteArray("example") + QByteArray::number(n++);
        Seed("formula", name.constData(), QByteArray("U") + QByteArray(f));
    }
}

// Bet files as the program writes them, each behind the format that reads
// them; a history file of the three-digit game read as bets.
void BetFileSeeds()
{
    for (int game = 0; game < fuzz::kGameCount; ++game) {
        const CLottorHead& head = fuzz::Game(game);
        FormatTokens tokens;
        const QString format = head.NumFormatStr(0);
        if (!head.StrToFormat(format, tokens))
            continue;
        QString text = QStringLiteral("Kelton\r\n") + head.LottorName + QStringLiteral(" 投注单\r\n");
        Draw bet;
        bet.Num.assign(static_cast<size_t>(head.BM) + 1, 0);
        for (int b = 1; b <= 12; ++b) {
            bet.Issue = b;
            for (int p = 1; p <= head.BM; ++p)
                bet.Num[static_cast<size_t>(p)] =
                    static_cast<int16_t>((b * 5 + p) % ((p <= head.BcMain ? head.BcDataLen : head.MrDataLen) + 1));
            (void)AppendNumLine(head, tokens, bet, 1, text);
            text += QStringLiteral("\r\n");
        }
        const QByteArray name = QByteArray("game") + QByteArray::number(game);
        Seed("bet_file", name.constData(), ToGbk(format + QStringLiteral("\r\n") + text));
    }
    Seed("bet_file", "history_out_of_range",
         ToGbk(QStringLiteral("N:X X X\r\nKelton\r\n3D 历史数据\r\n2024001:1 2 3\r\n5:12 0 -1\n\n   \r\n7:1 2")));
}

void WayFileSeeds()
{
    CLottorHead head = fuzz::Game(0);
    head.WayGroupAdd(QStringLiteral("杀号"));
    head.WayAdd(0, QStringLiteral("组选"), QStringLiteral("a=Num(1,3,1)\r\n'上期\r\na|Num(1,\r\n3,2)"), 0, QString());
    head.WayAdd(0, QStringLiteral("自定义参照"), QStringLiteral("Sor(0,0,5,3)"), static_cast<int16_t>(head.BM + 44),
                QStringLiteral("x=[Num(1,1,0)]\r\nx\t:"));
    head.WayAdd(0, QStringLiteral("和值"), QStringLiteral("Fil(1,1)"), static_cast<int16_t>(head.BM + 2), QString());
    Seed("way_file", "group", WayFileBytes(head.Ways(), 0));
    Seed("way_file", "empty_group", QByteArray("\r\n"));
    Seed("way_file", "old_list", ToGbk(QStringLiteral("[公式]\r\nVal=1,Num(1\x01\x08""3\x01\x08""1)\r\nVal=2,Fil(1)\r\n")));
}

// A scheme with digits, conditions, tolerances and items of every list, as
// the filter window saves it, and the panel files of the three pages.
void SchemeSeeds()
{
    CLottorData& game = fuzz::SmallGame();
    game.SelectBall(0, 1, -1);
    game.SelectBall(2, 7, -1);
    game.ShrinkAllErrSel = 1;
    game.ShrinkAllErrVal = StrToRange(QStringLiteral("0-2"), 0, 100);
    game.ShrinkOtherErrVal = StrToRange(QStringLiteral("1"), 0, 100);
    CStat* view = game.StatView(2);
    view->SetShrinkSel(4, 1);
    view->SetShrinkVal(4, StrToRange(QStringLiteral("3 5-7"), 0, 100));
    view->SetShrinkErr(44, 1);
    view->IniShrinkData();
    game.FilterMatch.Sel = 1;
    game.FilterMatch.SubErrSel = 1;
    game.FilterMatch.SubErrVal = StrToRange(QStringLiteral("0-1"), 0, 100);
    (void)game.FilterMatch.AddPerVal(QStringLiteral("√\t1 2 3\t1-3\tХ\t√"));
    (void)game.FilterMatch.AddPerVal(QStringLiteral("Х\t4,5,6\t0\t√\tХ"));
    (void)game.FilterHistory.AddPerVal(QStringLiteral("√\t2\t30\t0-1\t1\tХ\t√"));
    (void)game.FilterGather.AddPerVal(QStringLiteral("√\t0\t1\t7\t0-2\t√\tХ"));
    Seed("scheme_file", "scheme", fuzz::GbkSeed(SchemeText(game, {1, 2}) + QStringLiteral("\r\n")));

    const OtherFilterKind kinds[] = {OtherFilterKind::Match, OtherFilterKind::History, OtherFilterKind::Gather};
    const char* const names3[] = {"match", "history", "gather"};
    const QStringList rows[] = {
        {QStringLiteral("√\t1 2 3\t1-3\tХ\t√"), QStringLiteral("Х\t4,5,6\t0\t√\tХ")},
        {QStringLiteral("√\t2\t全部\t0-1\t1\tХ\t√")},
        {QStringLiteral("√\t0\t1\t7\t0-2\t√\tХ")},
    };
    for (size_t i = 0; i < 3; ++i) {
        OtherPageState page;
        page.SubErrEnabled = true;
        page.SubErrText = QStringLiteral("0-1");
        page.Rows = rows[i];
        Seed("other_sections", names3[i], QByteArray("G") + OtherFilterFileBytes(kinds[i], {1, 0}, page));
    }
}

// Seeds at the limits, where scale defects live: lists of 32,767 items in a
// scheme and a panel file, the whole sample history newest first as a
// download may give it, and a formula file whose import just fits the data
// file's definition text.
void LimitSeeds()
{
    CLottorData& game = fuzz::SmallGame();
    game.FilterMatch.IniClass(&game.HeadData);
    QStringList rows;
    for (int i = 0; i < kMaxFilterItems; ++i) {
        const QString row = QStringLiteral("√\t%1\t1\tХ\tХ").arg(i % 10);
        (void)game.FilterMatch.AddPerVal(row);
        rows << row;
    }
    Seed("scheme_file", "match_at_limit", fuzz::GbkSeed(SchemeText(game, {0, 0}) + QStringLiteral("\r\n")));
    game.FilterMatch.IniClass(&game.HeadData);
    OtherPageState page;
    page.Rows = rows;
    Seed("other_sections", "match_at_limit", QByteArray("G") + OtherFilterFileBytes(OtherFilterKind::Match, {1, 0}, page));

    QFile sample(QStringLiteral(KELTON_SAMPLE_HISTORY));
    if (!sample.open(QIODevice::ReadOnly))
        fuzz::Fail("read the sample history", __FILE__, __LINE__);
    const QStringList csv = SplitLines(QString::fromUtf8(sample.readAll()));
    QString newestFirst = QStringLiteral("N,XXX\r\n");
    for (qsizetype i = csv.size() - 1; i >= 1; --i) {
        if (!csv[i].isEmpty())
            newestFirst += csv[i].section(QLatin1Char(','), 0, 0) + QLatin1Char(',') +
                           csv[i].section(QLatin1Char(','), 2, 2) + QStringLiteral("\r\n");
    }
    Seed("draw_import", "newest_first", fuzz::GbkSeed(newestFirst));

    // The file of n formulas, and the definition text of the three-digit
    // game once it is imported.
    const auto formulaFile = [](int n) {
        CLottorHead maker = fuzz::Game(0);
        maker.WayGroupAdd(QStringLiteral("大量公式"));
        for (int i = 0; i < n; ++i)
            maker.WayAdd(0, QStringLiteral("f%1").arg(i), QStringLiteral("Num(1,3,1)+Num(2,3,1)"), 0, QString());
        const QByteArray file = WayFileBytes(maker.Ways(), 0);
        CLottorHead into = fuzz::Game(0);
        (void)ImportWayRecords(into, QStringLiteral("g"), ReadWayFileBytes(file, into.Ways().OwnConsultIndex()));
        return std::make_pair(file, ToGbk(into.HeadStr()).size());
    };
    // The most formulas whose import still fits, found by halving.
    int fits = 0;
    int over = 1 << 15;
    while (over - fits > 1) {
        const int n = (fits + over) / 2;
        (formulaFile(n).second <= DataFileHeader::kMaxHeadLen ? fits : over) = n;
    }
    Seed("way_file", "fits_the_limit", formulaFile(fits).first);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_corpus <corpus folder>\n");
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);
    DefinitionSeeds();
    ServerInfoSeeds();
    GameListSeeds();
    SettingsSeeds();
    DrawTextSeeds();
    BetFileSeeds();
    FilterItemSeeds();
    ValueSetSeeds();
    BallListSeeds();
    HttpSeeds();
    UpgradeListSeeds();
    HelpPageSeeds();
    GameFileSeeds();
    FormulaSeeds();
    WayFileSeeds();
    SchemeSeeds();
    LimitSeeds();
    return 0;
}
