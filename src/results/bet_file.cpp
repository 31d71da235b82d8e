#include "results/bet_file.h"

#include <algorithm>
#include <climits>
#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "data/text_helpers.h"
#include "platform/gbk.h"
#include "platform/save_file.h"

namespace kelton {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// Lines are gathered as text and written in pieces of about this many
// characters.
constexpr qsizetype kWriteChunk = 1 << 16;
// A load reads the file in pieces of this many bytes.
constexpr qint64 kReadChunk = 1 << 20;

// The format's tokens when the game takes it: the check of every operation
// and the tokens its reader or writer then works with, so that a format the
// check passes is one the writer can write with.
std::optional<FormatTokens> FormatOf(const QString& format, const CLottorHead& head)
{
    FormatTokens tokens;
    if (!head.FormatVail(format) || !head.StrToFormat(format, tokens))
        return std::nullopt;
    return tokens;
}

// Where a file name or folder goes into a message.
QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Why path could not be written, in the user's words; reason is what the
// failed write reported.
QString WriteCause(const QString& path, const QString& reason)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("文件夹不存在：") + Shown(folder.filePath());
    if (info.isDir())
        return QStringLiteral("这是一个文件夹，不是文件：") + Shown(path);
    if (info.exists() && !info.isWritable())
        return QStringLiteral("文件是只读的：") + Shown(path);
    if (!folder.isWritable())
        return QStringLiteral("没有在此文件夹中写入的权限：") + Shown(folder.filePath());
    QString cause = QStringLiteral("无法写入文件（磁盘可能已满）：") + Shown(path);
    if (!reason.isEmpty())
        cause += QStringLiteral("（") + reason + QStringLiteral("）");
    return cause;
}

QString ReadCause(const QString& path, const QFileDevice& file)
{
    QString cause = QStringLiteral("无法读取文件：") + Shown(path);
    if (!file.errorString().isEmpty())
        cause += QStringLiteral("（") + file.errorString() + QStringLiteral("）");
    return cause;
}

// A save in progress: the file, written through CheckedSaveFile, the bar and
// its stop question.
class SaveRun {
public:
    SaveRun(const BetFileProgress& progress, BetFileOperation op, const QString& status, int32_t max)
        : m_progress(progress), m_op(op), m_bar(progress.Msg, status, max, 0, 0, true)
    {
        if (m_progress.OnBusy)
            m_progress.OnBusy();
    }

    bool Open(const QString& path, const QByteArray& title)
    {
        m_path = TrimBlanks(path);
        m_file.emplace(m_path);
        return m_file->Open() && m_file->Write(title);
    }

    // Why the file could not be written.
    QString Cause() const { return WriteCause(m_path, m_file ? m_file->Reason() : QString()); }

    // A progress step; true when the user confirmed a stop.
    bool Step(int32_t value)
    {
        m_bar.Step(value);
        return m_bar.StopRequested() && m_progress.Ask &&
               m_progress.Ask(BetFileStopQuestion(m_op), BetFileStopTitle(m_op));
    }

    void AddLine(QStringView line)
    {
        m_text += line;
        m_text += kLineEnd;
        ++m_lines;
        if (m_text.size() >= kWriteChunk)
            Flush();
    }

    // Writes what is left and puts the file in place; false when a write
    // failed. A file that would hold no record line is not put in place.
    bool Commit()
    {
        Flush();
        if (!m_file)
            return false;
        if (m_lines == 0) {
            m_file->Cancel();
            return false;
        }
        return m_file->Commit().Ok;
    }

private:
    void Flush()
    {
        if (m_text.isEmpty())
            return;
        const QByteArray bytes = ToGbk(m_text);
        m_text.clear();
        static_cast<void>(m_file->Write(bytes)); // a failure is kept for Commit
    }

    const BetFileProgress& m_progress;
    BetFileOperation m_op;
    MsgProgressGuard m_bar;
    QString m_path;
    std::optional<CheckedSaveFile> m_file;
    QString m_text;
    int32_t m_lines = 0;
};

BetFileOutcome Outcome(BetFileOperation op, BetFileOutcome::Result code, int32_t records = 0)
{
    BetFileOutcome out;
    out.Operation = op;
    out.Code = code;
    out.Records = records;
    return out;
}

BetFileOutcome Failure(BetFileOperation op, const QString& cause)
{
    BetFileOutcome out = Outcome(op, BetFileOutcome::Result::Failed);
    out.Cause = cause;
    return out;
}

// The end of a save that wrote `written` record lines.
BetFileOutcome Finish(BetFileOperation op, SaveRun& run, int32_t written)
{
    if (written == 0) {
        (void)run.Commit();
        return Outcome(op, BetFileOutcome::Result::NothingWritten);
    }
    if (!run.Commit()) {
        BetFileOutcome out = Failure(op, run.Cause());
        out.Records = written;
        return out;
    }
    return Outcome(op, BetFileOutcome::Result::Ok, written);
}

// Calls onLine for every line of bytes, pending holding the unfinished last
// line between pieces; onLine returns false to stop. False when stopped.
template <class OnLine> bool ForEachLine(QByteArrayView bytes, QByteArray& pending, OnLine&& onLine)
{
    qsizetype begin = 0;
    while (begin < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', begin);
        if (end < 0) {
            pending.append(bytes.sliced(begin));
            return true;
        }
        QByteArrayView line = bytes.sliced(begin, end - begin);
        begin = end + 1;
        if (!pending.isEmpty()) {
            pending.append(line);
            const bool go = onLine(QByteArrayView(pending));
            pending.clear();
            if (!go)
                return false;
        } else if (!onLine(line)) {
            return false;
        }
    }
    return true;
}

// A line without the CRs before its LF: CR LF ends a line, and so does
// CR CR LF (a file whose line ends were converted twice).
QByteArrayView WithoutCr(QByteArrayView line)
{
    while (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// Line 2 of a bet or history file: the game's name and what the file holds.
bool IsKindLine(QStringView line)
{
    const QStringView trimmed = TrimBlanksView(line);
    return trimmed.endsWith(QStringLiteral(" 投注单")) || trimmed.endsWith(QStringLiteral(" 历史数据"));
}

// "3行的号码超出范围，2行无法按此格式读出": the lines a load left out, and why.
QString SkippedLines(int32_t outOfRange, int32_t unreadable)
{
    QStringList parts;
    if (outOfRange > 0)
        parts << QStringLiteral("%1行的号码超出范围").arg(outOfRange);
    if (unreadable > 0)
        parts << QStringLiteral("%1行无法按此格式读出").arg(unreadable);
    return parts.join(QStringLiteral("，"));
}

} // namespace

QByteArray BetFileTitleBytes(const QString& appTitle, const QString& lottorName, bool history)
{
    const QString kind = history ? QStringLiteral(" 历史数据") : QStringLiteral(" 投注单");
    return ToGbk(appTitle + kLineEnd + lottorName + kind + kLineEnd);
}

QString BetFileOutcome::Message() const
{
    using R = Result;
    if (Code == R::Ok)
        return QString();
    const QString prefix =
        Operation == BetFileOperation::LoadBets ? QStringLiteral("加载失败，") : QStringLiteral("保存失败，");
    switch (Code) {
    case R::BadPath:
        return prefix + QStringLiteral("文件路径错误！");
    case R::BadFormat:
        return prefix + QStringLiteral("数据的格式不准确！");
    case R::NoBets:
        return prefix + QStringLiteral("没有投注可以保存");
    case R::NoHistory:
        return prefix + QStringLiteral("没有历史开奖数据");
    case R::MissingFile:
        return prefix + QStringLiteral("加载文件不存在！");
    case R::Cancelled:
        return prefix + QStringLiteral("手动操作取消保存。");
    case R::NothingRead: {
        QString reason = QStringLiteral("文件中没有按此格式可以读出的投注，原有投注未改变！");
        if (const QString skipped = SkippedLines(OutOfRange, Unreadable); !skipped.isEmpty())
            reason += QStringLiteral("（") + skipped + QStringLiteral("）");
        return prefix + reason;
    }
    case R::NothingWritten:
        return prefix +
               (Operation == BetFileOperation::ExportHistory
                    ? QStringLiteral("按此格式写不出任何开奖号码，原有文件未改变！")
                    : QStringLiteral("按此格式写不出任何投注，原有文件未改变！"));
    case R::Failed:
        return prefix + Cause;
    case R::Ok:
        break;
    }
    return prefix;
}

QString BetFileOutcome::Notice() const
{
    if (Code != Result::Ok)
        return QString();
    switch (Operation) {
    case BetFileOperation::SaveBets:
        return QStringLiteral("已保存%1注投注。").arg(Records);
    case BetFileOperation::ExportHistory:
        return QStringLiteral("已导出%1期开奖号码。").arg(Records);
    case BetFileOperation::LoadBets:
        break;
    }
    QString text = QStringLiteral("已加载%1注投注。").arg(Records);
    if (const QString skipped = SkippedLines(OutOfRange, Unreadable); !skipped.isEmpty())
        text += QStringLiteral("另有") + skipped + QStringLiteral("，未加载。");
    return text;
}

QString BetFileStopQuestion(BetFileOperation op)
{
    return op == BetFileOperation::LoadBets ? QStringLiteral("你确定要退出正在加载的投注吗？按确定退出！")
                                            : QStringLiteral("你确定要退出保存投注吗？按确定退出！");
}

QString BetFileStopTitle(BetFileOperation op)
{
    return op == BetFileOperation::LoadBets ? QStringLiteral("加载投注") : QStringLiteral("保存投注");
}

BetFileOutcome SaveBetFile(const QString& path, const QString& format, const CLottorHead& head,
                           const QString& appTitle, const BetList& list, const BetFileProgress& progress)
{
    constexpr BetFileOperation op = BetFileOperation::SaveBets;
    if (TrimBlanksView(path).isEmpty())
        return Outcome(op, BetFileOutcome::Result::BadPath);
    const std::optional<FormatTokens> tokens = FormatOf(format, head);
    if (!tokens)
        return Outcome(op, BetFileOutcome::Result::BadFormat);
    if (list.LiveCount() < 1)
        return Outcome(op, BetFileOutcome::Result::NoBets);

    const int32_t count = list.BetCount();
    SaveRun run(progress, op, QStringLiteral("正在保存投注"), count == INT32_MAX ? count : count + 1);
    if (!run.Open(path, BetFileTitleBytes(appTitle, head.LottorName, false)))
        return Failure(op, run.Cause());

    Draw bet;
    QString line;
    int32_t written = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (i % 50 == 1 && run.Step(i))
            return Outcome(op, BetFileOutcome::Result::Cancelled, written);
        if (!list.IsLive(i))
            continue;
        const std::span<const int16_t> digits = list.Digits(i);
        bet.Issue = list.Id(i);
        bet.Num.assign(digits.begin(), digits.end());
        line.clear();
        if (!AppendNumLine(head, *tokens, bet, 1, line))
            continue;
        run.AddLine(TrimBlanksView(line));
        ++written;
    }
    return Finish(op, run, written);
}

BetFileOutcome ExportHistoryFile(const QString& path, const QString& format, const CLottorData& game,
                                 const QString& appTitle, const BetFileProgress& progress)
{
    constexpr BetFileOperation op = BetFileOperation::ExportHistory;
    const CLottorHead& head = game.HeadData;
    if (TrimBlanksView(path).isEmpty())
        return Outcome(op, BetFileOutcome::Result::BadPath);
    const std::optional<FormatTokens> tokens = FormatOf(format, head);
    if (!tokens)
        return Outcome(op, BetFileOutcome::Result::BadFormat);
    const int32_t count = game.NumCount();
    if (count < 1)
        return Outcome(op, BetFileOutcome::Result::NoHistory);

    SaveRun run(progress, op, QStringLiteral("正在保存历史数据"), count);
    if (!run.Open(path, BetFileTitleBytes(appTitle, head.LottorName, true)))
        return Failure(op, run.Cause());

    Draw draw;
    draw.Num.assign(static_cast<size_t>(head.BM) + 1, 0);
    QString line;
    int32_t written = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (i % 10 == 1 && run.Step(i))
            return Outcome(op, BetFileOutcome::Result::Cancelled, written);
        draw.Issue = game.NumName(i);
        // Every stored position, the secondary numbers included.
        for (int16_t p = 1; p <= head.BM; ++p)
            draw.Num[static_cast<size_t>(p)] = game.Num(p, i);
        line.clear();
        if (!AppendNumLine(head, *tokens, draw, 1, line))
            continue;
        run.AddLine(TrimBlanksView(line));
        ++written;
    }
    return Finish(op, run, written);
}

BetLineReader::BetLineReader(const CLottorHead& head, FormatTokens tokens)
    : m_head(head), m_tokens(std::move(tokens))
{
}

bool BetLineReader::Line(QByteArrayView bytes)
{
    bytes = WithoutCr(bytes);
    if (bytes.isEmpty())
        return false;
    if (m_nonEmpty < INT32_MAX)
        ++m_nonEmpty;

    // Bet lines are plain ASCII as a rule: those are widened in place.
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii) {
        m_text.resize(bytes.size());
        QChar* out = m_text.data();
        for (qsizetype i = 0; i < bytes.size(); ++i)
            out[i] = QLatin1Char(bytes[i]);
    } else {
        m_text = FromGbk(bytes);
    }

    LineFault fault = LineFault::Unreadable;
    if (m_bets == INT32_MAX || !LineToNum(m_head, m_tokens, m_text, m_draw, &fault)) {
        if (fault == LineFault::TooLarge) {
            ++m_outOfRange;
            return true;
        }
        ++m_unreadable;
        if (m_nonEmpty <= 2)
            ++m_titleUnreadable;
        if (m_nonEmpty == 2)
            m_titled = IsKindLine(m_text);
        return true;
    }
    const int bcMain = m_head.BcMain;
    const int bm = m_head.BM;
    const std::vector<int16_t>& num = m_draw.Num;
    for (int e = 1; e <= bm; ++e) {
        const int16_t high = e <= bcMain ? m_head.BcDataLen : m_head.MrDataLen;
        const int16_t value = num[static_cast<size_t>(e)];
        if (value < 0 || value > high) {
            ++m_outOfRange;
            return true;
        }
    }
    // Main numbers are read highest place first and kept units first; the
    // secondary numbers keep their order.
    const size_t at = m_digits.size();
    m_digits.resize(at + static_cast<size_t>(bm) + 1, 0);
    int16_t* bet = m_digits.data() + at;
    for (int p = 1; p <= bcMain; ++p)
        bet[p] = num[static_cast<size_t>(bcMain - p + 1)];
    for (int p = bcMain + 1; p <= bm; ++p)
        bet[p] = num[static_cast<size_t>(p)];
    ++m_bets;
    return true;
}

int32_t BetLineReader::Unreadable() const
{
    return m_unreadable - TitleLines();
}

void ReadBetLines(QByteArrayView bytes, BetLineReader& reader)
{
    QByteArray pending;
    ForEachLine(bytes, pending, [&reader](QByteArrayView line) {
        reader.Line(line);
        return true;
    });
    if (!pending.isEmpty())
        reader.Line(pending);
}

BetFileOutcome LoadBetFile(const QString& path, const QString& format, const CLottorHead& head, BetList& list,
                           const BetFileProgress& progress)
{
    constexpr BetFileOperation op = BetFileOperation::LoadBets;
    const QString file = TrimBlanks(path);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return Outcome(op, BetFileOutcome::Result::MissingFile);
    std::optional<FormatTokens> tokens = FormatOf(format, head);
    if (!tokens)
        return Outcome(op, BetFileOutcome::Result::BadFormat);

    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return Failure(op, ReadCause(file, in));
    // The bar's length: about the number of lines the file can hold. It
    // only sizes the bar; the list grows as bets are read.
    const qint64 perLine = std::max<qint64>(1, static_cast<qint64>(head.BcNumMaxLen) * head.BM);
    const int32_t capacity = static_cast<int32_t>(std::min<qint64>(in.size() / perLine, INT32_MAX));

    MsgProgressGuard bar(progress.Msg, QStringLiteral("正在加载"), capacity, 0, 0, true);
    if (progress.OnBusy)
        progress.OnBusy();

    BetLineReader reader(head, std::move(*tokens));
    bool cancelled = false;
    const auto onLine = [&](QByteArrayView line) {
        if (WithoutCr(line).isEmpty())
            return true;
        const int32_t n = reader.NonEmptyLines();
        if (n % 10 == 1 && n < capacity) {
            bar.Step(n);
            if (bar.StopRequested() && progress.Ask &&
                progress.Ask(BetFileStopQuestion(op), BetFileStopTitle(op))) {
                cancelled = true;
                return false;
            }
        }
        reader.Line(line);
        return true;
    };

    QByteArray pending;
    QByteArray chunk;
    while (!in.atEnd()) {
        chunk.resize(kReadChunk);
        const qint64 got = in.read(chunk.data(), kReadChunk);
        if (got < 0)
            return Failure(op, ReadCause(file, in));
        if (got == 0)
            break;
        if (!ForEachLine(QByteArrayView(chunk.constData(), got), pending, onLine))
            break;
    }
    if (!cancelled && !pending.isEmpty())
        onLine(pending);

    BetFileOutcome out = Outcome(op, BetFileOutcome::Result::Ok, reader.Bets());
    out.OutOfRange = reader.OutOfRange();
    out.Unreadable = reader.Unreadable();
    if (cancelled) {
        out.Code = BetFileOutcome::Result::Cancelled;
        return out;
    }
    if (reader.Bets() == 0) {
        out.Code = BetFileOutcome::Result::NothingRead;
        return out;
    }
    BetList loaded(head.BM);
    if (!loaded.AssignBets(reader.TakeDigits())) {
        out.Code = BetFileOutcome::Result::Failed;
        out.Cause = QStringLiteral("读出的投注无法装入投注列表。");
        return out;
    }
    list = std::move(loaded);
    return out;
}

} // namespace kelton
