#pragma once

#include <array>

#include <QString>

namespace kelton {

// The fixed names the model and the windows build their captions of. They
// are constant data: reading them needs no set-up. The string table holds
// the same texts under their numbers (indicators 0..42, places 51..59,
// legends 90..95, rankings 130..137, views 138..145).

// The 43 draw indicators, in their fixed numbering.
inline constexpr std::array<const char16_t*, 43> kIndicatorNames = {
    u"AC值",       u"和值",     u"遗漏和",   u"间隔和",   u"位积和",   u"极号和",   u"极号差",
    u"合值",       u"平均值",   u"最小数",   u"中间数",   u"最大数",   u"奇数个数", u"大码个数",
    u"质数个数",   u"连号个数", u"偶连个数", u"奇连个数", u"同码个数", u"循环个数", u"热码个数",
    u"温码个数",   u"冷码个数", u"０路个数", u"１路个数", u"２路个数", u"邻码个数", u"孤码个数",
    u"传(复)个数", u"隔码个数", u"中码个数", u"升码个数", u"平码个数", u"降码个数", u"大号个数",
    u"中号个数",   u"小号个数", u"热温冷",   u"０１２路", u"邻孤传",   u"复隔中",   u"升平降",
    u"大中小",
};

// The digit places by position: 1 = units .. 9; 0 and 10 have no name.
inline constexpr std::array<const char16_t*, 11> kPlaceNames = {
    u"", u"个", u"十", u"百", u"千", u"万", u"十万", u"百万", u"千万", u"亿", u"",
};

// The ranking kinds 0..7.
inline constexpr std::array<const char16_t*, 8> kRankNames = {
    u"历史出现次数排行", u"百期出现次数排行", u"50期出现次数排行", u"20期出现次数排行",
    u"出现次数排行",     u"间隔数排行",       u"遗漏数排行",       u"概率数排行",
};

// The data views 0..7.
inline constexpr std::array<const char16_t*, 8> kViewNames = {
    u"原始数据",   u"转换数据一", u"转换数据二", u"转换数据三",
    u"转换数据四", u"转换数据五", u"转换数据六", u"转换数据七",
};

// The class letters of the pattern indicators 37..42: entry i, class a.
inline constexpr std::array<std::array<const char16_t*, 3>, 6> kFeatureLetters = {{
    {u"热", u"温", u"冷"},
    {u"０", u"１", u"２"},
    {u"邻", u"孤", u"传"},
    {u"复", u"隔", u"中"},
    {u"升", u"平", u"降"},
    {u"大", u"中", u"小"},
}};

// The names by number; a number outside a table gives the empty text.
QString IndicatorName(int k);  // 0..42
QString PlaceName(int p);      // 1..9
QString RankName(int k);       // 0..7
QString ViewName(int v);       // 0..7
// The legend of pattern indicator 37 + i (i = 0..5): "0=热热热;1=热热温;...",
// item k naming the classes a, b, c of the code k = 9a + 3b + c.
QString FeatureLegend(int i);

}  // namespace kelton
