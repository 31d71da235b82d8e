#pragma once

#include <cstddef>
#include <string_view>

#include "host/ui/main_commands.h"

namespace kelton {

// The main window's toolbar, from left to right: the one table that builds
// it, enables its buttons and runs their clicks. A button is known by its
// key; the data button has none and drops the data-analysis menu down.
struct MainToolbarItem {
    enum class Role {
        Separator,
        Spacer,     // pushes the rest to the right edge
        Command,    // runs the command Command
        DataMenu,   // drops the data-analysis menu down
        PrevWindow, // the window history's back
        NextWindow, // and forward
    };
    Role Kind;
    const char* Key = "";
    const char16_t* Caption = u"";
    const char16_t* Tip = u"";
    const char* Icon = ""; // ToolIcon's key
    MainCommand Command = MainCommand::SysDataLottor; // for Role::Command only
};

inline constexpr MainToolbarItem kMainToolbar[] = {
    {MainToolbarItem::Role::Separator},
    {MainToolbarItem::Role::Command, "Lottor", u"选择彩票", u"选择要分析的彩票", "Lottor",
     MainCommand::SysDataLottor},
    {MainToolbarItem::Role::Separator},
    {MainToolbarItem::Role::Command, "Edit", u"开奖号码", u"可以增加，修改或下载开奖结果", "Edit",
     MainCommand::SysDataEdit},
    {MainToolbarItem::Role::Command, "Query", u"中奖查询", u"查询当前投注的中奖情况", "Query",
     MainCommand::ChipInQuery},
    {MainToolbarItem::Role::Separator},
    {MainToolbarItem::Role::DataMenu, "", u"数据分析", u"提供多方面内容对数据进行分析", "Data"},
    {MainToolbarItem::Role::Command, "Way", u"公式选杀", u"公式选杀号(值)工具", "Way",
     MainCommand::ChipInWay},
    {MainToolbarItem::Role::Separator},
    {MainToolbarItem::Role::Command, "Filter", u"缩水过滤", u"进行投注和过滤缩水", "Filter",
     MainCommand::ChipInFilter},
    {MainToolbarItem::Role::Command, "Open", u"调出方案", u"打开以往保存的过滤方案", "Open",
     MainCommand::ChipInGet},
    {MainToolbarItem::Role::Command, "Save", u"保存方案", u"对当前过滤方案进行保存", "Save",
     MainCommand::ChipInPut},
    {MainToolbarItem::Role::Separator},
    {MainToolbarItem::Role::Command, "Help", u"使用帮助", u"有关软件的帮助系统", "Help",
     MainCommand::HelpGuide},
    {MainToolbarItem::Role::Command, "Online", u"访问网站", u"在线交流，用户答疑", "Online",
     MainCommand::OnlineWWW},
    {MainToolbarItem::Role::Spacer},
    {MainToolbarItem::Role::PrevWindow, "Prev", u"前一窗口", u"", "Prev"},
    {MainToolbarItem::Role::NextWindow, "Next", u"下一窗口", u"", "Next"},
};

// The zero-based toolbar position of the first item of that role.
constexpr int MainToolbarIndex(MainToolbarItem::Role role)
{
    for (size_t i = 0; i < std::size(kMainToolbar); ++i) {
        if (kMainToolbar[i].Kind == role)
            return static_cast<int>(i);
    }
    return -1;
}

// The item of a button key; nullptr for no button of the toolbar (the empty
// key of the data button included).
constexpr const MainToolbarItem* MainToolbarButton(std::string_view key)
{
    if (key.empty())
        return nullptr;
    for (const MainToolbarItem& item : kMainToolbar) {
        if (key == item.Key)
            return &item;
    }
    return nullptr;
}

} // namespace kelton
