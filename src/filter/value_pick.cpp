#include "filter/value_pick.h"

#include <algorithm>

#include "data/lottor_data.h"
#include "engine/stat.h"
#include "platform/name_tables.h"

namespace kelton {

using namespace Qt::StringLiterals;

QString ClassList(const QString& label, const std::vector<int16_t>& flags)
{
    QString out = label;
    for (size_t n = 0; n < flags.size(); ++n) {
        if (flags[n] == 1)
            out += QString::number(n);
    }
    return out;
}

namespace {

std::vector<int16_t> Road(int16_t dataLen, int16_t road)
{
    std::vector<int16_t> flags(static_cast<size_t>(std::max<int16_t>(dataLen, -1) + 1), 0);
    for (size_t n = 0; n < flags.size(); ++n)
        flags[n] = n % 3 == static_cast<size_t>(road) ? 1 : 0;
    return flags;
}

} // namespace

ValuePickText ConditionPickText(const CLottorData& game, const CStat& stat, int16_t row, int32_t issue,
                                const QString& issueText)
{
    ValuePickText out;
    if (row >= 37 && row <= 42)
        out.Names = FeatureLegend(row - 37);
    if (row < 20 || row > 42)
        return out;
    const bool riseFall = (row >= 31 && row <= 33) || row == 41;
    if (riseFall && issue <= 0)
        return out;

    QString lines;
    switch (row) {
    case 20:
    case 21:
    case 22:
    case 37:
        lines = ClassList(u"热号："_s, stat.GetHWC(issue, 0)) +
                ClassList(u"  温号："_s, stat.GetHWC(issue, 1)) +
                ClassList(u"  冷号："_s, stat.GetHWC(issue, 2));
        break;
    case 23:
    case 24:
    case 25:
    case 38: {
        const int16_t len = game.HeadData.BcDataLen;
        lines = ClassList(u"０路："_s, Road(len, 0)) + ClassList(u"  １路："_s, Road(len, 1)) +
                ClassList(u"  ２路："_s, Road(len, 2));
        break;
    }
    case 26:
    case 27:
    case 39:
        lines = ClassList(u"邻号："_s, stat.GetNAP(issue, 0)) +
                ClassList(u"  孤号："_s, stat.GetNAP(issue, 1)) +
                ClassList(u"  传号："_s, stat.GetNAP(issue, 2));
        break;
    case 28:
        lines =
            ClassList(u"邻号："_s, stat.GetNAP(issue, 0)) + ClassList(u"  孤号："_s, stat.GetNAP(issue, 1)) +
            ClassList(u"  传(复)号："_s, stat.GetNAP(issue, 2)) +
            ClassList(u"  隔号："_s, stat.GetPSN(issue, 1)) + ClassList(u"  中号："_s, stat.GetPSN(issue, 2));
        break;
    case 29:
    case 30:
    case 40:
        lines = ClassList(u"复号："_s, stat.GetPSN(issue, 0)) +
                ClassList(u"  隔号："_s, stat.GetPSN(issue, 1)) +
                ClassList(u"  中号："_s, stat.GetPSN(issue, 2));
        break;
    case 31:
    case 32:
    case 33:
    case 41:
        // The previous draw as drawn, highest place first.
        lines = u"上期号码："_s;
        for (int16_t p = game.HeadData.BcMain; p >= 1; --p)
            lines += QString::number(game.Num(p, issue - 1));
        break;
    default: // 34, 35, 36, 42
        lines = u"大号：789  中号：3456  小号：012"_s;
        break;
    }
    out.Hint = u"期号："_s + issueText + u'\n' + lines;
    return out;
}

} // namespace kelton
