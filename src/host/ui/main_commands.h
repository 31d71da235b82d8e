#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kelton {

// The main window's commands: one menu entry each. Windows, the toolbar and
// tests name a command by its enumerator, so a misspelt command does not
// compile; the entry's control name (its Qt object name) is only what
// screen readers and the window history see. The entries of the analysis
// windows (data menu and Window menu, one per view) are reached by their
// view's index instead.
enum class MainCommand {
    // 系统
    SysDataLottor,
    SysOption,
    SysBar,
    SysStatus,
    SysDataEdit,
    SysLottorOption,
    SysExit,
    // 在线操作
    OnlineDownLoadData,
    OnlineUpgrade,
    OnlineWWW,
    OnlineService,
    OnlineNew,
    // 数据分析
    DataRefresh,
    // 投注操作
    ChipInFilter,
    ChipInWay,
    ChipInGet,
    ChipInPut,
    ChipInOpen,
    ChipInSave,
    ChipInSaveData,
    ChipInQuery,
    // 窗口
    WindowTileHorizontal,
    WindowTileVertical,
    WindowCascade,
    WindowArrangeIcons,
    WindowFilter,
    WindowFilterBound,
    WindowWay,
    // 使用帮助
    HelpGuide,
    HelpOnline,
    HelpAbout,
    // The filter window's popup.
    FilterOpen,
    FilterSave,
    FilterCopy,
    FilterView,
    FilterAdd,
    FilterReplace,
    FilterDelect,
    FilterDelectAll,
    FilterSort,
    // The analysis windows' popup.
    ListCopy,
};

inline constexpr std::size_t kMainCommandCount = static_cast<std::size_t>(MainCommand::ListCopy) + 1;

// The menus: the six of the menu bar and the two popups the child windows
// show.
enum class MainMenu { Sys, Online, Data, ChipIn, Window, Help, Filter, List };

inline constexpr std::size_t kMainMenuCount = static_cast<std::size_t>(MainMenu::List) + 1;

namespace detail {

inline constexpr std::array<std::string_view, kMainCommandCount> kMainCommandNames = {
    "mnuSysDataLottor",
    "mnuSysOption",
    "mnuSysBar",
    "mnuSysStatus",
    "mnuSysDataEdit",
    "mnuSysLottorOption",
    "mnuSysExit",
    "mnuOnlineDownLoadData",
    "mnuOnlineUpgrade",
    "mnuOnlineWWW",
    "mnuOnlineService",
    "mnuOnlineNew",
    "mnuDataRefresh",
    "mnuChipInFilter",
    "mnuChipInWay",
    "mnuChipInGet",
    "mnuChipInPut",
    "mnuChipInOpen",
    "mnuChipInSave",
    "mnuChipInSaveData",
    "mnuChipInQuery",
    "mnuWindowTileHorizontal",
    "mmnWindowTileVertical",
    "mnuWindowCascade",
    "mnuWindowArrangeIcons",
    "mnuWindowFilter",
    "mnuWindowFilterBound",
    "mnuWindowWay",
    "mnuHelpGuide",
    "mnuHelpOnline",
    "mnuHelpAbout",
    "mnuFilterOpen",
    "mnuFilterSave",
    "mnuFilterCopy",
    "mnuFilterView",
    "mnuFilterAdd",
    "mnuFilterReplace",
    "mnuFilterDelect",
    "mnuFilterDelectAll",
    "mnuFilterSort",
    "mnuListCopy",
};

inline constexpr std::array<std::string_view, kMainMenuCount> kMainMenuNames = {
    "mnuSys", "mmnOnLine", "mnuData", "mnuChipIn", "mnuWindow", "mnuHelp", "mnuFilter", "mnuList",
};

} // namespace detail

// The control name of a command's entry ("mnuSysDataLottor", ...).
constexpr std::string_view MainCommandName(MainCommand command)
{
    return detail::kMainCommandNames[static_cast<std::size_t>(command)];
}

// The control name of a menu ("mnuSys", "mnuFilter", ...).
constexpr std::string_view MainMenuName(MainMenu menu)
{
    return detail::kMainMenuNames[static_cast<std::size_t>(menu)];
}

// Every command, in menu order.
constexpr std::array<MainCommand, kMainCommandCount> AllMainCommands()
{
    std::array<MainCommand, kMainCommandCount> all{};
    for (std::size_t i = 0; i < kMainCommandCount; ++i)
        all[i] = static_cast<MainCommand>(i);
    return all;
}

} // namespace kelton
