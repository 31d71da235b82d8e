#pragma once

// Bet and history text files (".voskr" or ".txt"): GBK, CR LF after every
// line. Line 1 the application title, line 2 the game name followed by
// " 投注单" (bets) or " 历史数据" (draw history), then one line per live bet
// or per draw as the number-format writer makes it with the chosen format,
// blanks trimmed at both ends. A bet line carries the bet's Id in the "N"
// field, a history line the issue number.
//
// Writing goes through QSaveFile: a cancelled or failed write leaves the
// file that was there as it was. Reading builds a new bet list that replaces
// the old one only when it holds a bet; otherwise the old list and its steps
// stay. The window words the messages from the outcomes.

#include <cstdint>
#include <functional>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "core/bet_list.h"
#include "core/msg_service.h"
#include "data/draw_text.h"
#include "data/number_format.h"

namespace kelton {

class CLottorData;
class CLottorHead;

enum class BetFileOperation : int8_t {
    SaveBets,      // the live bets to a file
    LoadBets,      // a file as the new bet list
    ExportHistory, // the draw history to a file
};

// The two title lines, each ended by CR LF, as GBK bytes: the application
// title, then the game name with " 投注单" (bets) or " 历史数据" (history).
QByteArray BetFileTitleBytes(const QString& appTitle, const QString& lottorName, bool history);

struct BetFileOutcome {
    enum class Result : int8_t {
        Ok,
        BadPath,        // "文件路径错误！": the path box is empty
        BadFormat,      // "数据的格式不准确！": the format does not fit the game
        NoBets,         // "没有投注可以保存": no live bet
        NoHistory,      // "没有历史开奖数据": no draw
        MissingFile,    // "加载文件不存在！"
        Cancelled,      // "手动操作取消保存。": a stop confirmed with OK
        NothingRead,    // a load that read no bet; the old list stays
        NothingWritten, // a save or export whose format wrote no record; the old file stays
        Failed,         // the file could not be written or read; Cause says why
    };
    BetFileOperation Operation = BetFileOperation::SaveBets;
    Result Code = Result::Ok;
    int32_t Records = 0;    // lines written, or bets read
    int32_t OutOfRange = 0; // load: lines left out for a number outside its range
    int32_t Unreadable = 0; // load: non-empty lines the format does not read, the
                            // two title lines of a bet or history file not counted
    QString Cause;          // Failed: what went wrong, in the user's words

    bool Ok() const { return Code == Result::Ok; }
    // The error message (title "操作错误"): "保存失败，" or "加载失败，"
    // followed by the reason; empty for Ok.
    QString Message() const;
    // What an operation that went ahead tells (title "操作提示"): how many
    // bets or draws were written or read, and for a load the lines left out
    // and why. Empty unless Ok.
    QString Notice() const;
};

// The stop question of the saves and of the load, and its title.
QString BetFileStopQuestion(BetFileOperation op);
QString BetFileStopTitle(BetFileOperation op);

// How an operation reports its progress: through Msg (status text, bar with
// a stop allowed, one pass through the event loop per step). At a step where
// a stop was requested, Ask(question, title) is put; true (OK) cancels.
// OnBusy runs once the bar is up, so that the caller can enable what must
// stay usable while the application is busy.
struct BetFileProgress {
    CMsg& Msg;
    std::function<bool(const QString& question, const QString& title)> Ask;
    std::function<void()> OnBusy;
};

// Saves the live bets of list in list order. Checks first (path trimmed not
// empty, format valid for the game and readable by the number-format
// reader and writer, a live bet); a failed check touches no file. A save
// that would write no bet line fails (NothingWritten) and leaves the file
// that was there. Status "正在保存投注", bar 0..BetCount + 1, a step at every list
// position i with i mod 50 = 1.
BetFileOutcome SaveBetFile(const QString& path, const QString& format, const CLottorHead& head,
                           const QString& appTitle, const BetList& list, const BetFileProgress& progress);

// Exports every draw of the game, issue numbers in the "N" field. Checks:
// path, format, a draw. Status "正在保存历史数据", bar 0..NumCount, a step at
// every draw i with i mod 10 = 1.
BetFileOutcome ExportHistoryFile(const QString& path, const QString& format, const CLottorData& game,
                                 const QString& appTitle, const BetFileProgress& progress);

// Loads a bet file. Checks: the file exists, the format is valid (as for
// the saves). Status
// "正在加载", bar 0..(file length / (BcNumMaxLen * BM)); a step at the
// n-th non-empty line when n mod 10 = 1 and n is below that. Every line the
// format reads becomes a live bet, numbered 1, 2, ... in file order; the
// main numbers are read highest place first, the secondary numbers follow.
// A line holding a number outside 0..BcDataLen (secondary 0..MrDataLen) is
// left out and counted. With at least one bet read, the list is replaced
// (all live, BetStep 1, BetLastStep 0); otherwise (nothing read, cancelled,
// failed) the list and its steps stay as they were.
BetFileOutcome LoadBetFile(const QString& path, const QString& format, const CLottorHead& head, BetList& list,
                           const BetFileProgress& progress);

// The reader behind LoadBetFile, fed one line at a time (without its line
// end; the CRs before the LF are taken off here, so that CR CR LF, as a
// file converted twice has it, is one line end too). The bets read so far are kept
// as positions 0..BM per bet, growing as lines come.
class BetLineReader {
public:
    // tokens: the format as ParseNumFormat split it.
    BetLineReader(const CLottorHead& head, FormatTokens tokens);

    // Reads one line of bytes (GBK). An empty line is skipped and not
    // counted; false then, true for every other line.
    bool Line(QByteArrayView bytes);

    int32_t NonEmptyLines() const { return m_nonEmpty; }
    int32_t Bets() const { return m_bets; }
    // Lines left out for a number outside its range (too large for 16 bits
    // included).
    int32_t OutOfRange() const { return m_outOfRange; }
    // Lines the format does not read, without the two title lines of a bet
    // or history file (lines 1 and 2 when line 2 ends with " 投注单" or
    // " 历史数据").
    int32_t Unreadable() const;
    // The title lines Unreadable leaves out (0..2).
    int32_t TitleLines() const { return m_titled ? m_titleUnreadable : 0; }
    // Positions 0..BM of every bet read, Bets() * (BM + 1) numbers, the
    // array trimmed to them.
    std::vector<int16_t> TakeDigits()
    {
        m_digits.shrink_to_fit();
        return std::move(m_digits);
    }

private:
    const CLottorHead& m_head;
    FormatTokens m_tokens;
    QString m_text;
    Draw m_draw;
    std::vector<int16_t> m_digits;
    int32_t m_nonEmpty = 0;
    int32_t m_bets = 0;
    int32_t m_outOfRange = 0;
    int32_t m_unreadable = 0;
    int32_t m_titleUnreadable = 0; // of lines 1 and 2
    bool m_titled = false;         // line 2 is the title line of a bet or history file
};

// Feeds every line of bytes (LF, CR LF or CR CR LF ends; a last line
// without an end included) to reader.
void ReadBetLines(QByteArrayView bytes, BetLineReader& reader);

} // namespace kelton
