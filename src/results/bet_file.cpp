#include "results/bet_file.h"

#include <algorithm>
#include <climits>
#include <optional>

#include <QFile>
#include <QFileInfo>

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

// The checks of both saves, in order.
std::optional<BetFileOutcome::Result> SaveChecks(const QString& path, const QString& format,
                                                 const CLottorHead& head)
{
    if (TrimBlanksView(path).isEmpty())
        return BetFileOutcome::Result::BadPath;
    if (!head.FormatVail(format))
        return BetFileOutcome::Result::BadFormat;
    return std::nullopt;
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
        m_file.emplace(TrimBlanks(path));
        return m_file->Open() && m_file->Write(title);
    }

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
        if (m_text.size() >= kWriteChunk)
            Flush();
    }

    // Writes what is left and puts the file in place; false when a write
    // failed.
    bool Commit()
    {
        Flush();
        return m_file && m_file->Commit().Ok;
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
    std::optional<CheckedSaveFile> m_file;
    QString m_text;
};

BetFileOutcome Outcome(BetFileOperation op, BetFileOutcome::Result code, int32_t records = 0)
{
    BetFileOutcome out;
    out.Operation = op;
    out.Code = code;
    out.Records = records;
    return out;
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

QByteArrayView WithoutCr(QByteArrayView line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
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
        if (OutOfRange > 0)
            reason += QStringLiteral("（%1 行的号码超出范围）").arg(OutOfRange);
        return prefix + reason;
    }
    case R::Ok:
    case R::Failed:
        break;
    }
    return prefix;
}

QString BetFileOutcome::Notice() const
{
    if (Code != Result::Ok || Operation != BetFileOperation::LoadBets || OutOfRange == 0)
        return QString();
    return QStringLiteral("已加载 %1 注；%2 行的号码超出范围，未加载。").arg(Records).arg(OutOfRange);
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
    if (const auto refused = SaveChecks(path, format, head))
        return Outcome(op, *refused);
    if (list.LiveCount() < 1)
        return Outcome(op, BetFileOutcome::Result::NoBets);

    const int32_t count = list.BetCount();
    SaveRun run(progress, op, QStringLiteral("正在保存投注"), count == INT32_MAX ? count : count + 1);
    if (!run.Open(path, BetFileTitleBytes(appTitle, head.LottorName, false)))
        return Outcome(op, BetFileOutcome::Result::Failed);

    FormatTokens tokens;
    const bool readable = head.StrToFormat(format, tokens);
    Draw bet;
    QString line;
    int32_t written = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (i % 50 == 1 && run.Step(i))
            return Outcome(op, BetFileOutcome::Result::Cancelled, written);
        if (!readable || !list.IsLive(i))
            continue;
        const std::span<const int16_t> digits = list.Digits(i);
        bet.Issue = list.Id(i);
        bet.Num.assign(digits.begin(), digits.end());
        line.clear();
        if (!AppendNumLine(head, tokens, bet, 1, line))
            continue;
        run.AddLine(TrimBlanksView(line));
        ++written;
    }
    if (!run.Commit())
        return Outcome(op, BetFileOutcome::Result::Failed, written);
    return Outcome(op, BetFileOutcome::Result::Ok, written);
}

BetFileOutcome ExportHistoryFile(const QString& path, const QString& format, const CLottorData& game,
                                 const QString& appTitle, const BetFileProgress& progress)
{
    constexpr BetFileOperation op = BetFileOperation::ExportHistory;
    const CLottorHead& head = game.HeadData;
    if (const auto refused = SaveChecks(path, format, head))
        return Outcome(op, *refused);
    const int32_t count = game.NumCount();
    if (count < 1)
        return Outcome(op, BetFileOutcome::Result::NoHistory);

    SaveRun run(progress, op, QStringLiteral("正在保存历史数据"), count);
    if (!run.Open(path, BetFileTitleBytes(appTitle, head.LottorName, true)))
        return Outcome(op, BetFileOutcome::Result::Failed);

    FormatTokens tokens;
    const bool readable = head.StrToFormat(format, tokens);
    Draw draw;
    draw.Num.assign(static_cast<size_t>(head.BM) + 1, 0);
    QString line;
    int32_t written = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (i % 10 == 1 && run.Step(i))
            return Outcome(op, BetFileOutcome::Result::Cancelled, written);
        if (!readable)
            continue;
        draw.Issue = game.NumName(i);
        // Every stored position, the secondary numbers included.
        for (int16_t p = 1; p <= head.BM; ++p)
            draw.Num[static_cast<size_t>(p)] = game.Num(p, i);
        line.clear();
        if (!AppendNumLine(head, tokens, draw, 1, line))
            continue;
        run.AddLine(TrimBlanksView(line));
        ++written;
    }
    if (!run.Commit())
        return Outcome(op, BetFileOutcome::Result::Failed, written);
    return Outcome(op, BetFileOutcome::Result::Ok, written);
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

    if (m_bets == INT32_MAX || !LineToNum(m_head, m_tokens, m_text, m_draw)) {
        ++m_unreadable;
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
    if (!head.FormatVail(format))
        return Outcome(op, BetFileOutcome::Result::BadFormat);

    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return Outcome(op, BetFileOutcome::Result::Failed);
    // The bar's length: about the number of lines the file can hold. It
    // only sizes the bar; the list grows as bets are read.
    const qint64 perLine = std::max<qint64>(1, static_cast<qint64>(head.BcNumMaxLen) * head.BM);
    const int32_t capacity = static_cast<int32_t>(std::min<qint64>(in.size() / perLine, INT32_MAX));

    MsgProgressGuard bar(progress.Msg, QStringLiteral("正在加载"), capacity, 0, 0, true);
    if (progress.OnBusy)
        progress.OnBusy();

    FormatTokens tokens;
    (void)head.StrToFormat(format, tokens);
    BetLineReader reader(head, std::move(tokens));
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
            return Outcome(op, BetFileOutcome::Result::Failed);
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
        return out;
    }
    list = std::move(loaded);
    return out;
}

} // namespace kelton
