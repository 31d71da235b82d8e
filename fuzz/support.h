#pragma once

#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QString>
#include <QStringList>

// Helpers shared by the fuzz targets.
namespace kelton {
class CLottorData;
class CLottorHead;
struct ServerInfo;
class CLottoItem;
}

namespace kelton::fuzz {

// Aborts with the message when a property of the reader does not hold; the
// fuzzer then keeps the input as a crash.
#define KELTON_FUZZ_CHECK(cond)                                                                              \
    do {                                                                                                     \
        if (!(cond))                                                                                         \
            ::kelton::fuzz::Fail(#cond, __FILE__, __LINE__);                                               \
    } while (0)

// Aborts, printing both texts, when a text read back differs from the text written.
#define KELTON_FUZZ_SAME(a, b) ::kelton::fuzz::CheckSame((a), (b), #a " == " #b, __FILE__, __LINE__)

// Aborts, printing the text, when the condition does not hold.
#define KELTON_FUZZ_CHECK_TEXT(cond, text)                                                                   \
    do {                                                                                                     \
        if (!(cond))                                                                                         \
            ::kelton::fuzz::FailWithText(#cond, (text), __FILE__, __LINE__);                                \
    } while (0)

[[noreturn]] void Fail(const char* what, const char* file, int line);
[[noreturn]] void FailWithText(const char* what, const QString& text, const char* file, int line);
void CheckSame(const QString& a, const QString& b, const char* what, const char* file, int line);

// A fresh folder for files of this fuzz process; it lives as long as the process.
QString WorkFolder();

// The input as a byte array (no copy of the bytes is kept by the fuzzer).
QByteArray Bytes(const uint8_t* data, size_t size);

// Text inputs: the first byte picks how the rest is decoded, as the program
// meets the text: 'G' GBK (the files' code page), 'W' UTF-16LE code units
// (the settings file), anything else UTF-8 (that byte dropped too).
QString Text(const uint8_t* data, size_t size);

// A text whose first line is a number format and the rest draw lines (CR
// LF or LF): the format, without its line end, and the lines.
struct FormatAndLines {
    QString Format;
    QString Lines;
};
FormatAndLines SplitFormat(const QString& text);

// The seed prefix for a text in GBK, and UTF-16LE bytes for the 'W' form.
QByteArray GbkSeed(const QString& text);
QByteArray Utf16Seed(const QString& text);

// Splits input into parts at the byte 0xFF followed by 0xFE (a pair GBK and
// UTF-8 never produce), for targets that take more than one text.
QList<QByteArray> SplitParts(const QByteArray& bytes, int maxParts);
extern const char kPartSeparator[];

// Server-information values are written unchanged, without the "Data"
// prefix: a value that reads as a comment or a section line, or starts with
// "Data=", does not read back as itself, as the text form has it. True when
// no value of the lists is such a one.
bool ServerInfoPlain(const ServerInfo& info);

// Group names of the game list are written unescaped: a name holding "=" or
// a line break, or one that reads as a comment or a section line, changes on
// reading (a section-like one moves the lines after it). True when every
// group name is free of these.
bool GroupNamesPlain(const CLottoItem& items);

// The definition texts of the games the targets read with: 0 the three-digit
// game, 1 a game with a secondary area (5 of 35 + 2 of 12), 2 a one-number game
// with three-digit numbers.
inline constexpr int kGameCount = 3;
QString GameText(int game);
// Accepts the definition text of a game into a fresh definition.
void DefineGame(CLottorHead& head, int game);
// The accepted definition of a game, built once; targets work on copies.
const CLottorHead& Game(int game);

// The three-digit game with eight draws and all eight views, in the work
// folder, built once. Targets that change it leave it as any input left it.
CLottorData& SmallGame();

}  // namespace kelton::fuzz
