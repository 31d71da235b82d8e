#include "formula/way.h"

#include "formula/way_internal.h"
#include "platform/string_table.h"

namespace kelton {

namespace {

struct OrderInfo {
    const char* Name;
    int16_t ParaCount;
};

constexpr OrderInfo kOrders[CWay::OrderCount] = {
    {"", 1},    {"+", 2},   {"-", 2},   {"*", 2},   {"/", 2},   {"|", 2},   {"&", 2},
    {"!", 2},   {"#", 2},   {"\\", 2},  {"Mod", 2}, {"Num", 4}, {"Sor", 6}, {"Val", 6},
    {"TiR", 7}, {"TiL", 7}, {"Rep", 6}, {"Cyc", 3}, {"Btn", 1}, {"Fil", 3}, {"Ntb", 1},
    {"Bal", 4}, {"Bet", 29}, {"Int", 1}, {"Dec", 1}, {"Iss", 0}, {"Abs", 1}, {"Max", 2},
    {"Min", 2}, {"App", 3}, {"Des", 3}, {"Iif", 3}, {"Iis", 3}, {"Onl", 1},
};

// String-table ids of the help texts.
constexpr int kOperatorHelp = 1010;    // + order
constexpr int kFunctionHelp = 1110;    // + 20 x (order - 10) + text
constexpr int kBetHelp = 1350;         // texts 0..4, then every set's help:
constexpr int kBetSetHelp = 1355;

}  // namespace

CWay::CWay()
{
    IniOrder();
}

void CWay::IniOrder()
{
    for (int16_t i = 0; i < OrderCount; ++i) {
        Order& o = m_orders[static_cast<size_t>(i)];
        o.Name = QString::fromLatin1(kOrders[i].Name);
        o.ParaCount = kOrders[i].ParaCount;
        o.ParaHelp.clear();
        if (i == way::kIdentity) {
            o.ParaHelp << QString() << QString();
        } else if (i < way::kMod) {
            o.ParaHelp << LoadResString(kOperatorHelp + i);
        } else {
            for (int j = 0; j < o.ParaCount + 2; ++j) {
                const int id = i == way::kBet ? (j < 5 ? kBetHelp + j : kBetSetHelp)
                                              : kFunctionHelp + 20 * (i - way::kMod) + j;
                o.ParaHelp << LoadResString(id);
            }
        }
    }
}

QString CWay::OrderName(int16_t sIndex) const
{
    return sIndex >= 0 && sIndex < OrderCount ? m_orders[static_cast<size_t>(sIndex)].Name : QString();
}

int16_t CWay::OrderParaCount(int16_t sIndex) const
{
    return sIndex >= 0 && sIndex < OrderCount ? m_orders[static_cast<size_t>(sIndex)].ParaCount : int16_t(0);
}

QString CWay::OrderParaHelp(int16_t sIndex, int16_t sParaIndex) const
{
    if (sIndex < 0 || sIndex >= OrderCount || sParaIndex < 0)
        return QString();
    const Order& o = m_orders[static_cast<size_t>(sIndex)];
    if (sParaIndex > o.ParaCount + 1 || sParaIndex >= o.ParaHelp.size())
        return QString();
    return o.ParaHelp[sParaIndex];
}

QString CWay::FaultText(WayFault fault, int16_t order) const
{
    QString reason;
    switch (fault) {
    case WayFault::None:
        return QString();
    case WayFault::Overflow:
        reason = QStringLiteral("数值溢出");
        break;
    case WayFault::DivideByZero:
        reason = QStringLiteral("除数为0");
        break;
    case WayFault::TooManyItems:
        reason = QStringLiteral("结果超过32767个号码");
        break;
    case WayFault::ValueTooLarge:
        reason = QStringLiteral("号码集超过%1个字符").arg(kMaxValueChars);
        break;
    case WayFault::Budget:
        return QStringLiteral("公式的运算量超过限制，请简化公式");
    }
    if (order <= way::kIdentity || order >= OrderCount)
        return reason;
    if (order < way::kMod)
        return QStringLiteral("运算符“%1”：").arg(OrderName(order)) + reason;
    return QStringLiteral("%1函数：").arg(OrderName(order)) + reason;
}

}  // namespace kelton
