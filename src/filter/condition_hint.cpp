#include "filter/condition_hint.h"

#include <vector>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "engine/stat.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

QString ClassList(const std::vector<int16_t>& flags, int16_t largest)
{
    QString out;
    for (int v = 0; v <= largest && v < static_cast<int>(flags.size()); ++v) {
        if (flags[static_cast<size_t>(v)] == 1)
            out += QString::number(v);
    }
    return out;
}

QString RoadList(int road, int16_t largest)
{
    QString out;
    for (int v = road; v <= largest; v += 3)
        out += QString::number(v);
    return out;
}

} // namespace

QString ConditionValueNames(int16_t kind)
{
    return kind >= 37 && kind <= 42 ? Mmain().FeatureLegend[static_cast<size_t>(kind - 37)] : QString();
}

QString ConditionHint(const CStat& view, const CLottorData& game, int16_t kind, int32_t issue, const QString& issueText)
{
    const int16_t largest = game.HeadData.BcDataLen;
    auto list = [&](std::vector<int16_t> flags) { return ClassList(flags, largest); };
    const QString head = u"期号："_s + issueText + u"\r\n"_s;
    switch (kind) {
    case 20: case 21: case 22: case 37:
        return head + u"热号："_s + list(view.GetHWC(issue, 0)) + u"  温号："_s + list(view.GetHWC(issue, 1)) +
               u"  冷号："_s + list(view.GetHWC(issue, 2));
    case 23: case 24: case 25: case 38:
        return head + u"０路："_s + RoadList(0, largest) + u"  １路："_s + RoadList(1, largest) + u"  ２路："_s +
               RoadList(2, largest);
    case 26: case 27: case 39:
        return head + u"邻号："_s + list(view.GetNAP(issue, 0)) + u"  孤号："_s + list(view.GetNAP(issue, 1)) +
               u"  传号："_s + list(view.GetNAP(issue, 2));
    case 28:
        return head + u"邻号："_s + list(view.GetNAP(issue, 0)) + u"  孤号："_s + list(view.GetNAP(issue, 1)) +
               u"  传(复)号："_s + list(view.GetNAP(issue, 2)) + u"  隔号："_s + list(view.GetPSN(issue, 1)) +
               u"  中号："_s + list(view.GetPSN(issue, 2));
    case 29: case 30: case 40:
        return head + u"复号："_s + list(view.GetPSN(issue, 0)) + u"  隔号："_s + list(view.GetPSN(issue, 1)) +
               u"  中号："_s + list(view.GetPSN(issue, 2));
    case 31: case 32: case 33: case 41: {
        if (issue < 1)
            return QString();
        QString numbers;
        for (int p = game.HeadData.BcMain; p >= 1; --p)
            numbers += QString::number(game.Num(static_cast<int16_t>(p), issue - 1));
        return head + u"上期号码："_s + numbers;
    }
    case 34: case 35: case 36: case 42:
        return head + u"大号：789  中号：3456  小号：012"_s;
    default:
        return QString();
    }
}

} // namespace kelton
