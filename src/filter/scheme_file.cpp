#include "filter/scheme_file.h"

#include <QStringList>

#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "data/numeric_text.h"
#include "data/text_helpers.h"
#include "engine/stat.h"
#include "otherfilter/other_sections.h"
#include "platform/gbk.h"
#include "platform/name_tables.h"
#include "platform/save_file.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

constexpr int kIndicators = 43;

QString ConditionText(const CStat& stat, int16_t slot)
{
    return QString::number(stat.ShrinkSel(slot)) + u',' + RangeToStr(stat.ShrinkVal(slot)) + u',' +
           QString::number(stat.ShrinkErr(slot));
}

// The largest digit of position p: the main area's up to BcMain, the
// secondary area's above.
int16_t DigitLimit(const CLottorHead& head, int16_t p)
{
    return std::max<int16_t>(p <= head.BcMain ? head.BcDataLen : head.MrDataLen, 0);
}

// The digit line: groups joined by ",", a blank before every digit that
// has anything in front of it on the line.
QString DigitLine(const CLottorData& game)
{
    const CLottorHead& head = game.HeadData;
    QString line;
    for (int16_t p = 0; p <= head.BM; ++p) {
        if (p > 0)
            line += u',';
        for (int16_t d = 0; d <= DigitLimit(head, p); ++d) {
            if (game.SelectBall(p, d) == 0)
                continue;
            if (!line.isEmpty())
                line += u' ';
            line += QString::number(d).rightJustified(head.BcNumMaxLen, u'0');
        }
    }
    return line;
}

// Key and value of a line: the exact text before the first "=" and the rest
// trimmed; a line without "=", or whose only "=" ends it, is all value.
struct KeyLine {
    QStringView Key;
    QStringView Value;
};

KeyLine SplitKeyLine(QStringView line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0 || eq == line.size() - 1)
        return {QStringView(), line};
    return {line.left(eq), TrimBlanksView(line.mid(eq + 1))};
}

// The sections a scheme is made of; anything else is ignored.
enum class Section : uint8_t { Other, Issue, Ball, Throw, AllErr, OtherFilter, Match, History, Gather, Stat };

Section SectionOf(const QString& name, int& view)
{
    static const std::pair<QStringView, Section> named[] = {
        {u"Issue", Section::Issue},
        {u"Ball", Section::Ball},
        {u"Throw", Section::Throw},
        {u"AllErr", Section::AllErr},
        {u"OtherFilter", Section::OtherFilter},
        {u"FilterMatch", Section::Match},
        {u"FilterHistory", Section::History},
        {u"FilterGather", Section::Gather},
    };
    for (const auto& [text, section] : named) {
        if (name == text)
            return section;
    }
    if (name.size() == 5 && name.startsWith(u"Stat") && name[4] >= u'0' && name[4] <= u'7') {
        view = name[4].unicode() - u'0';
        return Section::Stat;
    }
    return Section::Other;
}

// The slot a condition key names: "0".."42", "Pos1".."Pos<BcMain>",
// "Err"; -1 for any other key.
int ConditionSlot(QStringView key, int bcMain)
{
    if (key == u"Err")
        return bcMain + 43;
    const bool pos = key.startsWith(u"Pos");
    const QStringView digits = pos ? key.mid(3) : key;
    if (digits.isEmpty() || digits.size() > 2)
        return -1;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
    }
    if (digits.size() == 2 && digits[0] == u'0')
        return -1;
    const int n = digits.toInt();
    if (pos)
        return n >= 1 && n <= bcMain ? 42 + n : -1;
    return n < kIndicators ? n : -1;
}

void ReadCondition(std::vector<SchemeSlot>& slots, const KeyLine& line, int bcMain)
{
    const int slot = ConditionSlot(line.Key, bcMain);
    if (slot < 0)
        return;
    const QList<QStringView> fields = line.Value.split(u',');
    if (fields.size() != 3)
        return;
    SchemeSlot& target = slots[static_cast<size_t>(slot)];
    if (fields[0] == u"1")
        target.Sel = 1;
    target.Val = StrToRange(fields[1], 0, kSchemeValueHigh);
    if (fields[2] == u"1")
        target.Err = 1;
}

// Marks the digits of a [Ball] line; false on a number too large for 16
// bits.
bool ReadDigits(std::vector<std::vector<uint8_t>>& digits, QStringView value)
{
    const QList<QStringView> groups = value.split(u',');
    for (qsizetype j = 0; j < groups.size() && j < static_cast<qsizetype>(digits.size()); ++j) {
        std::vector<uint8_t>& row = digits[static_cast<size_t>(j)];
        for (const QStringView token : groups[j].split(u' ', Qt::SkipEmptyParts)) {
            if (!IsNumberText(token))
                continue;
            const std::optional<int16_t> d = NumberTextToInt16(token);
            if (!d)
                return false;
            if (*d >= 0 && static_cast<size_t>(*d) < row.size())
                row[static_cast<size_t>(*d)] = 1;
        }
    }
    return true;
}

} // namespace

QString SchemeText(const CLottorData& game, const SchemeWindowPart& window)
{
    const CLottorHead& head = game.HeadData;
    QStringList lines;
    lines << u"[Issue]"_s << QString::number(window.IssuePosition);
    lines << u"[Ball]"_s << DigitLine(game);
    lines << u"[Throw]"_s << QString::number(window.BetType);
    lines << u"[AllErr]"_s << u"Enabled="_s + QString::number(game.ShrinkAllErrSel)
          << u"Val="_s + RangeToStr(game.ShrinkAllErrVal);
    for (int16_t v = 0; v < CLottorData::kMaxViews; ++v) {
        const CStat* stat = game.StatView(v);
        if (!stat)
            continue;
        lines << u"[Stat"_s + QString::number(v) + u']';
        for (int16_t k = 0; k < kIndicators; ++k)
            lines << QString::number(k) + u'=' + ConditionText(*stat, k) + u'\'' +
                         IndicatorName(k);
        for (int16_t p = 1; p <= head.BcMain; ++p)
            lines << u"Pos"_s + QString::number(p) + u'=' +
                         ConditionText(*stat, static_cast<int16_t>(42 + p));
        lines << u"Err="_s + ConditionText(*stat, static_cast<int16_t>(head.BcMain + 43));
    }
    lines << u"[OtherFilter]"_s << u"Enabled="_s + QString::number(game.ShrinkOtherErrSel)
          << u"Val="_s + RangeToStr(game.ShrinkOtherErrVal);
    lines << OtherListSectionLines(OtherFilterKind::Match, game.FilterMatch);
    lines << OtherListSectionLines(OtherFilterKind::History, game.FilterHistory);
    lines << OtherListSectionLines(OtherFilterKind::Gather, game.FilterGather);
    return lines.join(u"\r\n"_s);
}

SaveOutcome WriteSchemeFile(const QString& path, const QString& sText)
{
    const QByteArray bytes = ToGbk(sText + u"\r\n"_s);
    if (bytes.size() > kMaxSchemeFileBytes)
        return SaveOutcome{false, 0, u"文件将大于 32 MB，超过了可以导入的上限"_s};
    return SaveWholeFile(path, bytes);
}

std::optional<FilterScheme> ReadSchemeText(QStringView text, const CLottorData& game, QString* oRefusal)
{
    if (text.isEmpty())
        return std::nullopt;
    const CLottorHead& head = game.HeadData;
    FilterScheme scheme;
    scheme.Window.IssuePosition = game.NumCount() - 1;
    scheme.Digits.resize(static_cast<size_t>(std::max<int16_t>(head.BM, 0)) + 1);
    for (size_t p = 0; p < scheme.Digits.size(); ++p)
        scheme.Digits[p].assign(static_cast<size_t>(DigitLimit(head, static_cast<int16_t>(p))) + 1, 0);
    for (std::vector<SchemeSlot>& slots : scheme.Views)
        slots.resize(static_cast<size_t>(std::max<int16_t>(head.BcMain, 0)) + 44);
    scheme.Match.IniClass(&head);
    scheme.History.IniClass(&head);
    scheme.Gather.IniClass(&head);

    // Blanks trimmed; a line opening with "'" is a comment, any other ends
    // at its first "'".
    QStringList lines = SplitLines(text);
    bool known = false;
    for (QString& line : lines) {
        line = TrimBlanks(line);
        const qsizetype quote = line.indexOf(u'\'');
        if (quote >= 0)
            line.truncate(quote);
        int view = 0;
        if (const QString name = GetSectionName(line);
            !name.isEmpty() && SectionOf(name, view) != Section::Other)
            known = true;
    }
    if (!known)
        return std::nullopt;

    OtherSectionRead others[kOtherFilterKinds];
    IniReader reader(std::move(lines));
    while (reader.Next()) {
        int view = 0;
        const Section section = SectionOf(reader.Section(), view);
        const KeyLine line = SplitKeyLine(reader.Line());
        switch (section) {
        case Section::Issue:
            if (IsNumberText(line.Value)) {
                const std::optional<int32_t> position = NumberTextToInt32(line.Value);
                if (!position)
                    return std::nullopt;
                scheme.Window.IssuePosition = *position;
            }
            break;
        case Section::Ball:
            if (!ReadDigits(scheme.Digits, line.Value))
                return std::nullopt;
            break;
        case Section::Throw:
            if (IsNumberText(line.Value)) {
                const std::optional<int16_t> type = NumberTextToInt16(line.Value);
                if (!type)
                    return std::nullopt;
                scheme.Window.BetType = *type < 0 || *type > 4 ? int16_t(0) : *type;
            }
            break;
        case Section::AllErr:
        case Section::OtherFilter: {
            int16_t& sel = section == Section::AllErr ? scheme.AllErrSel : scheme.OtherErrSel;
            ValueSet& val = section == Section::AllErr ? scheme.AllErrVal : scheme.OtherErrVal;
            if (line.Key == u"Enabled" && line.Value == u"1")
                sel = 1;
            else if (line.Key == u"Val")
                val = StrToRange(line.Value, 0, kSchemeValueHigh);
            break;
        }
        case Section::Match:
        case Section::History:
        case Section::Gather:
            ReadOtherSectionLine(others[static_cast<int>(section) - static_cast<int>(Section::Match)],
                                 line.Key, line.Value, kSchemeToleranceKey);
            break;
        case Section::Stat:
            ReadCondition(scheme.Views[static_cast<size_t>(view)], line, head.BcMain);
            break;
        case Section::Other:
            break;
        }
    }
    // A list is never cut short: a section past the limit refuses the scheme.
    static const char16_t* const kListNames[kOtherFilterKinds] = {u"匹配过滤", u"历史开奖过滤", u"相生相克过滤"};
    for (int k = 0; k < kOtherFilterKinds; ++k) {
        if (others[k].Rows.size() > kMaxFilterItems) {
            if (oRefusal)
                *oRefusal = u"导入方案失败，方案中的"_s + QString::fromUtf16(kListNames[k]) +
                            u"有 %1 项，最多 32767 项！"_s.arg(others[k].Rows.size());
            return std::nullopt;
        }
    }
    FillOtherList(others[0], scheme.Match);
    FillOtherList(others[1], scheme.History);
    FillOtherList(others[2], scheme.Gather);
    return scheme;
}

int32_t SchemeIssuePosition(const FilterScheme& scheme, int32_t numCount)
{
    const int32_t position = scheme.Window.IssuePosition;
    return position < 0 || position > numCount ? numCount : position;
}

void ApplySchemeToGame(FilterScheme scheme, CLottorData& game)
{
    for (size_t p = 0; p < scheme.Digits.size(); ++p) {
        const std::vector<uint8_t>& row = scheme.Digits[p];
        for (size_t d = 0; d < row.size(); ++d)
            game.SelectBall(static_cast<int16_t>(p), static_cast<int16_t>(d), row[d] != 0 ? kTrue : kFalse);
    }
    game.ShrinkOtherErrVal = scheme.OtherErrVal;
    game.ShrinkOtherErrValUbound = static_cast<int16_t>(scheme.OtherErrVal.Count());
    game.FilterMatch = std::move(scheme.Match);
    game.FilterHistory = std::move(scheme.History);
    game.FilterGather = std::move(scheme.Gather);
    game.ShrinkOtherErrSel = scheme.OtherErrSel;
    game.ShrinkAllErrSel = scheme.AllErrSel;
    game.ShrinkAllErrVal = scheme.AllErrVal;
    game.ShrinkAllErrValUbound = static_cast<int16_t>(scheme.AllErrVal.Count());
    for (int16_t v = 0; v < CLottorData::kMaxViews; ++v) {
        CStat* stat = game.StatView(v);
        if (!stat)
            continue;
        const std::vector<SchemeSlot>& slots = scheme.Views[static_cast<size_t>(v)];
        for (size_t k = 0; k < slots.size(); ++k) {
            const auto slot = static_cast<int16_t>(k);
            stat->SetShrinkSel(slot, slots[k].Sel);
            stat->SetShrinkErr(slot, slots[k].Err);
            stat->SetShrinkVal(slot, slots[k].Val);
        }
        stat->IniShrinkData();
    }
}

} // namespace kelton
