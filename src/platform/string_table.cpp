#include "platform/string_table.h"

#include <QHash>
#include <QStringList>

#include "platform/string_table_entries.h"

namespace kelton {

namespace {

using Entry = StringEntry;

// Ids 0..42: the draw indicators, in their fixed numbering.
constexpr Entry kIndicators[] = {
    {0, u"AC值"},       {1, u"和值"},       {2, u"遗漏和"},     {3, u"间隔和"},
    {4, u"位积和"},     {5, u"极号和"},     {6, u"极号差"},     {7, u"合值"},
    {8, u"平均值"},     {9, u"最小数"},     {10, u"中间数"},    {11, u"最大数"},
    {12, u"奇数个数"},  {13, u"大码个数"},  {14, u"质数个数"},  {15, u"连号个数"},
    {16, u"偶连个数"},  {17, u"奇连个数"},  {18, u"同码个数"},  {19, u"循环个数"},
    {20, u"热码个数"},  {21, u"温码个数"},  {22, u"冷码个数"},  {23, u"０路个数"},
    {24, u"１路个数"},  {25, u"２路个数"},  {26, u"邻码个数"},  {27, u"孤码个数"},
    {28, u"传(复)个数"}, {29, u"隔码个数"}, {30, u"中码个数"},  {31, u"升码个数"},
    {32, u"平码个数"},  {33, u"降码个数"},  {34, u"大号个数"},  {35, u"中号个数"},
    {36, u"小号个数"},  {37, u"热温冷"},    {38, u"０１２路"},  {39, u"邻孤传"},
    {40, u"复隔中"},    {41, u"升平降"},    {42, u"大中小"},
};

constexpr Entry kTexts[] = {
    // Digit places 51..59.
    {51, u"个"}, {52, u"十"}, {53, u"百"}, {54, u"千"}, {55, u"万"},
    {56, u"十万"}, {57, u"百万"}, {58, u"千万"}, {59, u"亿"},
    // Digit presets of the number grids 101..112.
    {101, u"重选"}, {102, u"全选"}, {103, u"小数"}, {104, u"中数"},
    {105, u"大数"}, {106, u"奇数"}, {107, u"偶数"}, {108, u"０路"},
    {109, u"１路"}, {110, u"２路"}, {111, u"质数"}, {112, u"合数"},
    // Ranking kinds 130..137.
    {130, u"历史出现次数排行"}, {131, u"百期出现次数排行"}, {132, u"50期出现次数排行"},
    {133, u"20期出现次数排行"}, {134, u"出现次数排行"}, {135, u"间隔数排行"},
    {136, u"遗漏数排行"}, {137, u"概率数排行"},
    // Data views 138..145.
    {138, u"原始数据"}, {139, u"转换数据一"}, {140, u"转换数据二"}, {141, u"转换数据三"},
    {142, u"转换数据四"}, {143, u"转换数据五"}, {144, u"转换数据六"}, {145, u"转换数据七"},
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

// Ids 90..95: the legends of the pattern indicators 37..42. Item k names the
// classes a, b, c of the code k = 9a + 3b + c.
QString FeatureLegendText(int entry)
{
    static const char16_t* const kLetters[6][3] = {
        {u"热", u"温", u"冷"}, {u"０", u"１", u"２"}, {u"邻", u"孤", u"传"},
        {u"复", u"隔", u"中"}, {u"升", u"平", u"降"}, {u"大", u"中", u"小"},
    };
    QStringList items;
    items.reserve(27);
    for (int k = 0; k < 27; ++k) {
        const int a = k / 9, b = (k / 3) % 3, c = k % 3;
        items << QString::number(k) + QLatin1Char('=') + QString::fromUtf16(kLetters[entry][a])
                     + QString::fromUtf16(kLetters[entry][b]) + QString::fromUtf16(kLetters[entry][c]);
    }
    return items.join(QLatin1Char(';'));
}

const QHash<int, QString>& Table()
{
    static const QHash<int, QString> table = [] {
        QHash<int, QString> t;
        for (const Entry& e : kIndicators)
            t.insert(e.id, QString::fromUtf16(e.text));
        for (const Entry& e : kTexts)
            t.insert(e.id, QString::fromUtf16(e.text));
        for (const Entry& e : FormulaHelpTexts())
            t.insert(e.id, QString::fromUtf16(e.text));
        for (int i = 0; i < 6; ++i)
            t.insert(90 + i, FeatureLegendText(i));
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
