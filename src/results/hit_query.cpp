#include "results/hit_query.h"

#include <algorithm>
#include <utility>

#include "core/bet_list.h"
#include "data/numeric_text.h"
#include "data/text_helpers.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// 128-bit arithmetic for totals: 2^31 hits of the largest stored amount
// pass the 64-bit range.
__extension__ typedef __int128 Int128;

constexpr int16_t kGroupDigits = 3;

// The three main digits of a bet or draw in ascending order.
std::array<int16_t, kGroupDigits> SortedDigits(std::span<const int16_t> digits)
{
    // Three compare-exchanges: this runs once per bet.
    int16_t a = digits[1], b = digits[2], c = digits[3];
    if (a > b)
        std::swap(a, b);
    if (b > c)
        std::swap(b, c);
    if (a > b)
        std::swap(a, b);
    return {a, b, c};
}

bool GroupMode(HitMode mode)
{
    return mode == HitMode::Group3 || mode == HitMode::Group6;
}

QString Int128Text(Int128 value)
{
    if (value == 0)
        return u"0"_s;
    QString digits;
    while (value > 0) {
        digits.prepend(QChar(u'0' + static_cast<int>(value % 10)));
        value /= 10;
    }
    return digits;
}

} // namespace

int16_t HitModeCount(int16_t bcMain)
{
    return bcMain == kGroupDigits ? 3 : 1;
}

QString HitModeName(HitMode mode)
{
    switch (mode) {
    case HitMode::Direct:
        return u"单选"_s;
    case HitMode::Group3:
        return u"组选三"_s;
    case HitMode::Group6:
        return u"组选六"_s;
    }
    return QString();
}

QString HitPrizeCaption(HitMode mode)
{
    return HitModeName(mode) + u"奖金"_s;
}

int16_t HitPrizeIndex(HitMode mode)
{
    return static_cast<int16_t>(static_cast<int16_t>(mode) + 1);
}

bool DrawQualifies(HitMode mode, std::span<const int16_t> draw, int16_t bcMain)
{
    if (!GroupMode(mode))
        return bcMain >= 1 && draw.size() > static_cast<size_t>(bcMain);
    if (bcMain != kGroupDigits || draw.size() <= static_cast<size_t>(kGroupDigits))
        return false;
    const auto d = SortedDigits(draw);
    const int equalPairs = (d[0] == d[1] ? 1 : 0) + (d[1] == d[2] ? 1 : 0);
    return mode == HitMode::Group3 ? equalPairs == 1 : equalPairs == 0;
}

bool IsHit(HitMode mode, std::span<const int16_t> bet, std::span<const int16_t> draw, int16_t bcMain)
{
    if (GroupMode(mode))
        return SortedDigits(bet) == SortedDigits(draw);
    for (int16_t k = 1; k <= bcMain; ++k) {
        if (bet[static_cast<size_t>(k)] != draw[static_cast<size_t>(k)])
            return false;
    }
    return true;
}

QString HitTally::TotalText() const
{
    const Int128 raw = static_cast<Int128>(Count) * static_cast<Int128>(Amount.Raw());
    const bool negative = raw < 0;
    const Int128 magnitude = negative ? -raw : raw;
    QString text = Int128Text(magnitude / 10000);
    const int fraction = static_cast<int>(magnitude % 10000);
    if (fraction != 0) {
        QString digits = u"%1"_s.arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += u'.' + digits;
    }
    return negative ? u'-' + text : text;
}

HitTally QueryHits(const BetList& bets, HitMode mode, std::span<const int16_t> draw, int16_t bcMain,
                   Currency amount)
{
    HitTally tally;
    tally.Amount = amount;
    if (!DrawQualifies(mode, draw, bcMain) || bets.BM() < bcMain)
        return tally;
    const int32_t count = bets.BetCount();
    if (GroupMode(mode)) {
        const auto wanted = SortedDigits(draw);
        for (int32_t i = 0; i < count; ++i) {
            if (!bets.IsLive(i) || SortedDigits(bets.Digits(i)) != wanted)
                continue;
            if (tally.Count < kMaxListedHits)
                tally.Listed.push_back(i);
            ++tally.Count;
        }
        return tally;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (!bets.IsLive(i) || !IsHit(mode, bets.Digits(i), draw, bcMain))
            continue;
        if (tally.Count < kMaxListedHits)
            tally.Listed.push_back(i);
        ++tally.Count;
    }
    return tally;
}

QString HitRowText(const BetList& bets, int32_t i, HitMode mode, int16_t bcMain, int16_t width)
{
    return QString::number(bets.Id(i)) + u'\t' + bets.BetText(i, bcMain, width) + u'\t' + HitModeName(mode);
}

std::array<QString, 2> HitSummaryRows(const HitTally& tally, HitMode mode)
{
    return {u" \t统计"_s,
            QString::number(tally.Count) + u"注\t奖金:"_s + tally.TotalText() + u'\t' + HitModeName(mode)};
}

PrizeEntry ReadPrizeText(QStringView text)
{
    PrizeEntry entry;
    if (!IsNumberText(text))
        return entry;
    const QString t = TrimBlanks(text);
    qsizetype i = 0;
    bool minus = false;
    if (t[0] == u'+' || t[0] == u'-') {
        minus = t[0] == u'-';
        ++i;
    }
    const qsizetype point = t.indexOf(u'.', i);
    QStringView whole = QStringView(t).mid(i, (point < 0 ? t.size() : point) - i);
    QStringView fraction = point < 0 ? QStringView() : QStringView(t).mid(point + 1);
    while (!whole.isEmpty() && whole.front() == u'0')
        whole = whole.mid(1);
    while (!fraction.isEmpty() && fraction.back() == u'0')
        fraction.chop(1);
    if (minus && (!whole.isEmpty() || !fraction.isEmpty())) {
        entry.Check = PrizeTextCheck::Negative;
        return entry;
    }
    if (whole.size() > kPrizeWholeDigits) {
        entry.Check = PrizeTextCheck::TooManyDigits;
        return entry;
    }
    if (fraction.size() > kPrizeDecimals) {
        entry.Check = PrizeTextCheck::TooManyDecimals;
        return entry;
    }
    // At most 9 + 4 digits: exact, no rounding, always in range.
    const std::optional<Currency> value = Currency::FromText(text);
    if (!value)
        return entry;
    entry.Check = PrizeTextCheck::Ok;
    entry.Value = *value < Currency() ? Currency() : *value; // "-0"
    return entry;
}

QString PrizeRefusalText(PrizeTextCheck check)
{
    switch (check) {
    case PrizeTextCheck::Negative:
        return u"奖金不能为负数，未保存。"_s;
    case PrizeTextCheck::TooManyDigits:
        return u"奖金的整数部分最多 %1 位，未保存。"_s.arg(kPrizeWholeDigits);
    case PrizeTextCheck::TooManyDecimals:
        return u"奖金最多 %1 位小数，未保存。"_s.arg(kPrizeDecimals);
    case PrizeTextCheck::Ok:
    case PrizeTextCheck::NotNumber:
        break;
    }
    return QString();
}

HitQueryControls HitQueryOpenLayout(int16_t bcMain, int16_t mrMain)
{
    constexpr int32_t kLabelLeft = 120;
    constexpr int32_t kLabelWidth = 1080;
    constexpr int32_t kBoxLeft = 1260;
    constexpr int32_t kBoxWidth = 1200;
    constexpr int32_t kBoxHeight = 315;
    constexpr int32_t kLabelHeight = 255;
    constexpr int32_t kRow = 420;
    constexpr int32_t kFirstTop = 1440;
    constexpr int32_t kButtonHeight = 375;

    HitQueryControls c;
    c.LblType = {kLabelLeft, 180, kLabelWidth, kLabelHeight};
    c.CboType = {kBoxLeft, 120, kBoxWidth, kBoxHeight};
    c.LblName = {kLabelLeft, 660, kLabelWidth, kLabelHeight};
    c.CboName = {kBoxLeft, 600, kBoxWidth, kBoxHeight};
    const int32_t mains = std::max<int32_t>(bcMain, 0);
    const int32_t boxes = mains + std::max<int32_t>(mrMain, 0);
    int32_t lowest = kFirstTop;
    for (int32_t b = 0; b < boxes; ++b) {
        // Box b shows position b + 1: the main places from the units upwards,
        // then the secondary numbers below the units box.
        const int32_t row = b < mains ? mains - 1 - b : b;
        const int32_t top = kFirstTop + row * kRow;
        c.Boxes.push_back({kBoxLeft, top, kBoxWidth, kBoxHeight});
        c.Labels.push_back({kLabelLeft, top + 60, kLabelWidth, kLabelHeight});
        lowest = std::max(lowest, top);
    }
    c.CmdQuery = {kBoxLeft, lowest + 500, kBoxWidth, kButtonHeight};
    c.CmdHelp = {kBoxLeft, lowest + 1000, kBoxWidth, kButtonHeight};
    c.Hint = {kLabelLeft, lowest + 1500, kBoxLeft + kBoxWidth - kLabelLeft, 720};
    const int32_t bottom = c.Hint.y() + c.Hint.height() + 600;
    c.MinOuter = {HitQueryFrameLayout::kFrameLeft + 3000, bottom};
    c.Outer = {9900, std::max(7200, bottom)};
    return c;
}

HitQueryFrameLayout HitQueryResize(QSize outer, int32_t resultHeight)
{
    using L = HitQueryFrameLayout;
    L l;
    const int32_t width = outer.width() - L::kFrameLeft - 200;
    const int32_t height = outer.height() - L::kFrameTop - 600;
    l.Frame = {L::kFrameLeft, L::kFrameTop, std::max(width, 0), std::max(height, 0)};
    l.LineWidth = l.Frame.width();
    const int32_t gridWidth = l.Frame.width() > 100 ? l.Frame.width() - 100 : 0;
    l.PrizeGrid = {50, 120, gridWidth, 1140};
    const int32_t resultTop = L::kResultTop;
    const int32_t h = resultTop + 50 < l.Frame.height() ? l.Frame.height() - resultTop - 50 : resultHeight;
    l.ResultGrid = {50, resultTop, gridWidth, h};
    return l;
}

} // namespace kelton
