#include "filter/filter_form_rules.h"

#include "data/lottor_data.h"
#include "platform/name_tables.h"
#include "platform/string_table.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {
constexpr int kPresetFirstId = 101;
} // namespace

bool FilterWindowFits(int16_t bcMain)
{
    return bcMain <= kFilterMaxPositions;
}

QString FilterWindowRefusal(int16_t bcMain)
{
    return u"缩水过滤只能用于不超过三个号码位置的彩票，当前彩票有"_s + QString::number(bcMain) +
           u"个号码位置。"_s;
}

QStringList PresetItems()
{
    QStringList items;
    for (int k = 0; k < kPresetCount; ++k)
        items << LoadResString(kPresetFirstId + k);
    return items;
}

bool PresetMarks(int preset, int16_t v, const std::array<int16_t, 201>& primeFlag)
{
    const bool prime =
        v >= 0 && static_cast<size_t>(v) < primeFlag.size() && primeFlag[static_cast<size_t>(v)] != 0;
    switch (preset) {
    case 0:
        return false; // 重选
    case 1:
        return true; // 全选
    case 2:
        return v <= 2; // 小数
    case 3:
        return v >= 3 && v <= 6; // 中数
    case 4:
        return v >= 7 && v <= 9; // 大数
    case 5:
        return v % 2 == 1; // 奇数
    case 6:
        return v % 2 == 0; // 偶数
    case 7:
        return v % 3 == 0; // ０路
    case 8:
        return v % 3 == 1; // １路
    case 9:
        return v % 3 == 2; // ２路
    case 10:
        return prime; // 质数
    case 11:
        return !prime; // 合数
    default:
        return false;
    }
}

QString ConditionName(int16_t k)
{
    if (k > 42)
        return PlaceName(k - 42) + u"位号码"_s;
    return IndicatorName(k);
}

bool ConditionAppliesTo(bool directBets, int16_t k, const std::array<int16_t, 43>& groupIndicatorFlag)
{
    if (directBets)
        return true;
    return k >= 0 && k <= 42 && groupIndicatorFlag[static_cast<size_t>(k)] == 1;
}

QStringList TargetIssueItems(const CLottorData& game)
{
    QStringList items;
    const int16_t count = game.NumCount();
    items.reserve(count + 1);
    for (int32_t i = 0; i < count; ++i)
        items << QString::number(game.NumName(i));
    items << u"下期"_s;
    return items;
}

QString DrawnNumberText(const CLottorData& game, int index, int count)
{
    if (index < 0 || index >= count - 1)
        return QString();
    QString text;
    for (int16_t p = game.HeadData.BcMain; p >= 1; --p)
        text += QString::number(game.Num(p, index));
    return text;
}

int16_t TabView(int tabPosition)
{
    return tabPosition >= 2 ? static_cast<int16_t>(tabPosition - 2) : int16_t(-1);
}

} // namespace kelton
