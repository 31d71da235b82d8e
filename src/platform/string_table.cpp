#include "platform/string_table.h"

#include <QHash>
#include <QStringList>

#include "platform/name_tables.h"
#include "platform/string_table_entries.h"

namespace kelton {

namespace {

using Entry = StringEntry;

constexpr Entry kTexts[] = {
    // Digit presets of the number grids 101..112.
    {101, u"重选"}, {102, u"全选"}, {103, u"小数"}, {104, u"中数"},
    {105, u"大数"}, {106, u"奇数"}, {107, u"偶数"}, {108, u"０路"},
    {109, u"１路"}, {110, u"２路"}, {111, u"质数"}, {112, u"合数"},
    // Messages and captions.
    {146, u"系统提示！"},
    {147, u"操作提示！"},
    {148, u"操作错误"},
    {149, u"访问网站出错！"},
    {150, u"号码批量替换"},
    {151, u"就绪"},
    {152, u"点击可以请求退出"},
    {153, u"请稍候……"},
    {154, u"主选项"},
    // The game options dialog.
    {160, u"彩票选项"},
    {161, u"自定义排行统计期数"},
    {162, u"必须更新分析数据才能生效"},
    {163, u"默认显示的统计期数"},
    {164, u"行交替的颜色一"},
    {165, u"行交替的颜色二"},
    {166, u"前十位的颜色一"},
    {167, u"前十位的颜色二"},
    {168, u"号码颜色"},
    {170, u"突出循环的颜色"},
    {171, u"恢复默认"},
    {200, u"确定"},
    {201, u"取消"},
    {208, u"升级失败，请在下次运行程序再试！"},
    // Questions.
    {2201, u"新版本已下载完毕。按确定运行下面的升级程序："},
};

const QHash<int, QString>& Table()
{
    static const QHash<int, QString> table = [] {
        QHash<int, QString> t;
        for (int k = 0; k < static_cast<int>(kIndicatorNames.size()); ++k)
            t.insert(k, IndicatorName(k));
        for (int p = 1; p <= 9; ++p)
            t.insert(50 + p, PlaceName(p));
        for (int k = 0; k < static_cast<int>(kRankNames.size()); ++k)
            t.insert(130 + k, RankName(k));
        for (int v = 0; v < static_cast<int>(kViewNames.size()); ++v)
            t.insert(138 + v, ViewName(v));
        for (const Entry& e : kTexts)
            t.insert(e.id, QString::fromUtf16(e.text));
        for (const Entry& e : FormulaHelpTexts())
            t.insert(e.id, QString::fromUtf16(e.text));
        for (int i = 0; i < static_cast<int>(kFeatureLetters.size()); ++i)
            t.insert(90 + i, FeatureLegend(i));
        return t;
    }();
    return table;
}

}  // namespace

QString LoadResString(int id)
{
    return Table().value(id);
}

}  // namespace kelton
