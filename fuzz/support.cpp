#include "support.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <QTemporaryDir>

#include "data/lotto_items.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "data/server_info.h"
#include "data/text_helpers.h"
#include "platform/gbk.h"

namespace kelton::fuzz {

const char kPartSeparator[] = "\xFF\xFE";

void Fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

namespace {

// Control characters and non-ASCII shown as escapes.
std::string Shown(const QString& text)
{
    std::string out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\') {
            out += "\\\\";
        } else if (u >= 0x20 && u < 0x7F) {
            out += static_cast<char>(u);
        } else {
            char buf[12];
            std::snprintf(buf, sizeof buf, u < 0x100 ? "\\x%02X" : "\\u%04X", static_cast<unsigned>(u));
            out += buf;
            if (u == '\n')
                out += '\n';
        }
    }
    return out;
}

}  // namespace

void CheckSame(const QString& a, const QString& b, const char* what, const char* file, int line)
{
    if (a == b)
        return;
    std::fprintf(stderr, "----- first\n%s\n----- second\n%s\n-----\n", Shown(a).c_str(), Shown(b).c_str());
    Fail(what, file, line);
}

void FailWithText(const char* what, const QString& text, const char* file, int line)
{
    std::fprintf(stderr, "----- text\n%s\n-----\n", Shown(text).c_str());
    Fail(what, file, line);
}

QString WorkFolder()
{
    static std::unique_ptr<QTemporaryDir> dir = [] {
        auto d = std::make_unique<QTemporaryDir>();
        if (!d->isValid())
            Fail("temporary folder", __FILE__, __LINE__);
        return d;
    }();
    return dir->path();
}

QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

FormatAndLines SplitFormat(const QString& text)
{
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    FormatAndLines parts{lf < 0 ? text : text.left(lf), lf < 0 ? QString() : text.mid(lf + 1)};
    if (parts.Format.endsWith(QLatin1Char('\r')))
        parts.Format.chop(1);
    return parts;
}

QString Text(const uint8_t* data, size_t size)
{
    if (size == 0)
        return QString();
    const QByteArrayView rest(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    switch (data[0]) {
    case 'G':
        return FromGbk(rest);
    case 'W': {
        QString text(rest.size() / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const auto lo = static_cast<uint8_t>(rest[2 * i]);
            const auto hi = static_cast<uint8_t>(rest[2 * i + 1]);
            text[i] = QChar(static_cast<char16_t>(lo | (hi << 8)));
        }
        return text;
    }
    default:
        return QString::fromUtf8(rest);
    }
}

QByteArray GbkSeed(const QString& text)
{
    return QByteArray("G") + ToGbk(text);
}

QByteArray Utf16Seed(const QString& text)
{
    QByteArray bytes("W");
    for (const QChar c : text) {
        bytes += static_cast<char>(c.unicode() & 0xFF);
        bytes += static_cast<char>(c.unicode() >> 8);
    }
    return bytes;
}

QList<QByteArray> SplitParts(const QByteArray& bytes, int maxParts)
{
    QList<QByteArray> parts;
    qsizetype from = 0;
    while (parts.size() < maxParts - 1) {
        const qsizetype at = bytes.indexOf(kPartSeparator, from);
        if (at < 0)
            break;
        parts << bytes.mid(from, at - from);
        from = at + 2;
    }
    parts << bytes.mid(from);
    while (parts.size() < maxParts)
        parts << QByteArray();
    return parts;
}

namespace {

bool PlainValue(const QString& value)
{
    const qsizetype eq = value.indexOf(QLatin1Char('='));
    return !value.startsWith(QLatin1Char('\'')) && GetSectionName(value).isEmpty() &&
           !(eq >= 0 && QStringView(value).left(eq) == QLatin1String("Data"));
}

}  // namespace

bool ServerInfoPlain(const ServerInfo& info)
{
    QStringList values = info.SysNews + info.SysAddress + info.SysField + info.SysEmail + info.SysQQ +
                         info.SysTel + info.SysShowPage;
    for (const SysNotice& notice : info.SysNotify)
        values << notice.NotifyText + QLatin1Char('\t') + notice.NotifyLink;
    values << info.SysSendInfo << info.SysLottoDataWebPath << info.SysMenuSever << info.SysMenuNew;
    for (const QString& value : values) {
        if (!PlainValue(value))
            return false;
    }
    return true;
}

bool GroupNamesPlain(const CLottoItem& items)
{
    for (int16_t i = 0; i < items.LottoGroupCount(); ++i) {
        const QString name = items.LottoGroupGet(i);
        if (name.contains(QLatin1Char('=')) || name.contains(QLatin1Char('\n')) ||
            name.contains(QLatin1Char('\r')) || name.startsWith(QLatin1Char('\'')) ||
            !GetSectionName(name).isEmpty() || TrimBlanks(name) != name)
            return false;
    }
    return true;
}

QString GameText(int game)
{
    switch (game) {
    case 1:
        return QStringLiteral("[LOTTONAME]\r\n大乐透\r\n[BCDATALEN]\r\n35\r\n[BCMAIN]\r\n5\r\n"
                              "[MRDATALEN]\r\n12\r\n[MRMAIN]\r\n2\r\n");
    case 2:
        return QStringLiteral("[LOTTONAME]\r\nBig\r\n[BCDATALEN]\r\n999\r\n[BCMAIN]\r\n1\r\n");
    default:
        return QStringLiteral("[LOTTONAME]\r\n福彩3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n");
    }
}

void DefineGame(CLottorHead& head, int game)
{
    head.SetHeadStr(GameText(game));
    if (!head.Enable())
        Fail("game definition refused", __FILE__, __LINE__);
}

const CLottorHead& Game(int game)
{
    static const std::array<std::unique_ptr<CLottorHead>, kGameCount> games = [] {
        std::array<std::unique_ptr<CLottorHead>, kGameCount> built;
        for (int g = 0; g < kGameCount; ++g) {
            built[static_cast<size_t>(g)] = std::make_unique<CLottorHead>();
            DefineGame(*built[static_cast<size_t>(g)], g);
        }
        return built;
    }();
    return *games[static_cast<size_t>(game)];
}

CLottorData& SmallGame()
{
    static CLottorData* game = [] {
        const QString path = WorkFolder() + QStringLiteral("/small.dat");
        {
            CLottorData created;
            if (created.CreateData(GameText(0), path, 1000))
                Fail("create the game", __FILE__, __LINE__);
        }
        auto* g = new CLottorData;
        if (g->OpenData(8, path))
            Fail("open the game", __FILE__, __LINE__);
        std::vector<Draw> draws;
        const char* const rows[] = {"384", "159", "203", "786", "421", "123", "990", "505"};
        for (int d = 0; d < 8; ++d) {
            Draw draw{2024001 + d, {0}};
            for (const char* c = rows[d]; *c; ++c)
                draw.Num.push_back(static_cast<int16_t>(*c - '0'));
            draws.push_back(draw);
        }
        if (g->Add(draws) != 8 || g->UpData())
            Fail("add the draws", __FILE__, __LINE__);
        return g;
    }();
    return *game;
}

}  // namespace kelton::fuzz
