#pragma once

#include <QString>

namespace kelton {

// The program's string table: fixed user-interface texts by number.
// An id the table does not hold gives the empty text.
QString LoadResString(int id);

// Well-known ids, for the texts that code refers to by name.
namespace Res {
inline constexpr int SystemPrompt = 146;      // "系统提示！"
inline constexpr int OperationPrompt = 147;   // "操作提示！"
inline constexpr int OperationError = 148;    // "操作错误"
inline constexpr int SiteError = 149;         // "访问网站出错！"
inline constexpr int BatchReplace = 150;      // "号码批量替换"
inline constexpr int Ready = 151;             // "就绪"
inline constexpr int ClickToStop = 152;       // "点击可以请求退出"
inline constexpr int MainOptions = 154;       // "主选项"
inline constexpr int GameOptions = 160;       // "彩票选项"
inline constexpr int CustomStat = 161;        // "自定义排行统计期数"
inline constexpr int RebuildNote = 162;       // "必须更新分析数据才能生效"
inline constexpr int ShowCourse = 163;        // "默认显示的统计期数"
inline constexpr int RowColour1 = 164;        // "行交替的颜色一"
inline constexpr int RowColour2 = 165;        // "行交替的颜色二"
inline constexpr int RankColour1 = 166;       // "前十位的颜色一"
inline constexpr int RankColour2 = 167;       // "前十位的颜色二"
inline constexpr int NumberColour = 168;      // "号码颜色"
inline constexpr int CycleColour = 170;       // "突出循环的颜色"
inline constexpr int RestoreDefaults = 171;   // "恢复默认"
inline constexpr int Ok = 200;                // "确定"
inline constexpr int Cancel = 201;            // "取消"
inline constexpr int UpgradeFailed = 208;     // "升级失败，请在下次运行程序再试！"
inline constexpr int UpgradeRunAsk = 2201;    // "新版本已下载完毕。按确定运行下面的升级程序："
}  // namespace Res

}  // namespace kelton
