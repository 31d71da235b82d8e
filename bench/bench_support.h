#pragma once

// What the benchmark programs share: the sample history, the three-digit
// game, the filter conditions of a kernel run and the runner of the probe
// program, which measures first calls in a fresh process.

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "data/draw_text.h"
#include "data/first_start.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "data/value_set.h"
#include "platform/program_folder.h"
#include "sample_game.h"

namespace kelton::bench {

inline constexpr char kThreeDigitDefinition[] =
    "[LOTTONAME]\r\n3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n[MRDATALEN]\r\n0\r\n[MRMAIN]\r\n0\r\n";

// The sample history in reading order (Num[1] the highest place).
inline const std::vector<Draw>& SampleDraws()
{
    static const std::vector<Draw> draws = [] {
        std::vector<Draw> d;
        ReadSampleHistory(QStringLiteral(KELTON_SAMPLE_HISTORY), 3, d);
        return d;
    }();
    return draws;
}

// A history of `count` draws for the statistics builder: the sample draws
// over and over, issues 1..count, numbers by position 0..3 (1 = units).
struct StatHistory {
    std::vector<int32_t> Issues;
    std::vector<int16_t> Numbers;
};

inline StatHistory HistoryOf(int32_t count)
{
    StatHistory h;
    const std::vector<Draw>& sample = SampleDraws();
    if (sample.empty())
        return h;
    for (int32_t d = 0; d < count; ++d) {
        const Draw& draw = sample[static_cast<size_t>(d) % sample.size()];
        h.Issues.push_back(count == static_cast<int32_t>(sample.size()) ? draw.Issue : d + 1);
        h.Numbers.insert(h.Numbers.end(), {0, draw.Num[3], draw.Num[2], draw.Num[1]});
    }
    return h;
}

// The draws of a loaded game, back in reading order (highest place first).
inline std::vector<Draw> GameHistory(const CLottorData& game)
{
    std::vector<Draw> draws;
    const int16_t bcMain = game.HeadData.BcMain;
    for (int32_t i = 0; i < game.NumCount(); ++i) {
        Draw d{game.NumName(i), std::vector<int16_t>(static_cast<size_t>(bcMain + 1), 0)};
        for (int16_t m = 1; m <= bcMain; ++m)
            d.Num[static_cast<size_t>(m)] = game.Num(static_cast<int16_t>(bcMain - m + 1), i);
        draws.push_back(d);
    }
    return draws;
}

inline CLottorHead& ThreeDigitHead()
{
    static CLottorHead head;
    if (!head.Enable())
        head.SetHeadStr(QString::fromLatin1(kThreeDigitDefinition));
    return head;
}

inline QString TabLine(std::initializer_list<const char*> fields)
{
    QStringList out;
    for (const char* f : fields)
        out << QString::fromUtf8(f);
    return out.join(QLatin1Char('\t'));
}

// The other filters of a kernel run: two match items, six history-draw
// items over views 0, 2, 5 and 7 (300 issues and all issues), two
// generating/restraining items; every list and the three together
// tolerant enough to let every bet through.
inline void SetOtherFilters(CLottorData& g)
{
    for (const char* items : {"1 3 5\t0-2", "0 1 2,3 4 5,6 7 8\t1-3"})
        g.FilterMatch.AddPerVal(QStringLiteral("√\t%1\tХ\t√").arg(QString::fromUtf8(items)));
    for (const QString& line :
         {TabLine({"√", "0", "300", "0", "0", "Х", "√"}), TabLine({"√", "0", "300", "0-1", "1", "Х", "√"}),
          TabLine({"√", "2", "300", "0-20", "2", "Х", "√"}), TabLine({"√", "0", "全部", "0-9", "0", "Х", "√"}),
          TabLine({"√", "5", "全部", "0-30", "1", "Х", "√"}), TabLine({"√", "7", "全部", "0-50", "2", "Х", "√"})})
        g.FilterHistory.AddPerVal(line);
    g.FilterGather.AddPerVal(TabLine({"√", "0", "0", "3", "1 5", "Х", "√"}));
    g.FilterGather.AddPerVal(TabLine({"√", "4", "1", "2", "0-4", "Х", "√"}));
    auto setList = [](auto& list) {
        list.Sel = 1;
        list.ErrSel = 1;
        list.SubErrSel = 1;
        list.SubErrVal = StrToRange(u"0-50", 0, 50);
    };
    setList(g.FilterMatch);
    setList(g.FilterHistory);
    setList(g.FilterGather);
    g.ShrinkOtherErrSel = 1;
    g.ShrinkOtherErrVal = StrToRange(u"0-3", 0, 3);
    g.ShrinkOtherErrValUbound = 1;
}

// Copies a file in 1 MiB blocks, as the program writes its statistics (a
// copy in small blocks leaves the file's cached pages laid out as the
// program never leaves them, which slows every later read of it).
inline bool CopyFileInBlocks(const QString& from, const QString& to)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    while (!in.atEnd()) {
        const QByteArray block = in.read(qint64(1) << 20);
        if (block.isEmpty() || out.write(block) != block.size())
            return false;
    }
    return true;
}

// Copies a folder tree; false on any failure.
inline bool CopyTree(const QString& from, const QString& to)
{
    QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo& entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !CopyTree(entry.filePath(), target) : !CopyFileInBlocks(entry.filePath(), target))
            return false;
    }
    return true;
}

// Runs the probe program once with the arguments given; its "key=value"
// words, empty when it failed.
inline std::map<QString, double> RunProbe(const QStringList& args)
{
    std::map<QString, double> out;
    QProcess probe;
    probe.start(QStringLiteral(KELTON_PROBE), args);
    if (!probe.waitForFinished(120000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        return out;
    for (const QByteArray& word : probe.readAllStandardOutput().simplified().split(' ')) {
        const qsizetype eq = word.indexOf('=');
        if (eq > 0)
            out[QString::fromLatin1(word.left(eq))] = word.mid(eq + 1).toDouble();
    }
    return out;
}

// The peak resident set (VmHWM) of a process, in KiB, from its status file
// ("/proc/self/status", "/proc/<pid>/status"); 0 when it cannot be read.
inline long PeakKbOf(const QString& statusFile)
{
    QFile status(statusFile);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t m = values.size() / 2;
    return values.size() % 2 ? values[m] : (values[m - 1] + values[m]) / 2;
}

} // namespace kelton::bench
