#pragma once

#include <array>
#include <vector>

#include "analysis/infer_views.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QScrollBar;
class QTabBar;
class QWidget;

namespace kelton {

class CFlexGrid;
class QvxChart;

// The controls of an analysis window, each named as its object: the top
// bar with the options the shown view reads, the view's grid and chart,
// and the tab strip with its pages of option buttons. The window builds
// them and owns them (as its children); tests drive them from here.
struct InferControls {
    // The top bar; every control of it also stands in Top by TopCtl.
    QWidget* picTop = nullptr;
    std::array<QWidget*, kTopCtlCount> Top{};
    QComboBox* cboPTStart = nullptr;
    QComboBox* cboPTEnd = nullptr;
    QComboBox* cboPTIndex = nullptr;
    QComboBox* cboPTSubarea = nullptr;
    QComboBox* cboPTSubarea2 = nullptr;
    QComboBox* cboPTBcTaxis = nullptr;
    QComboBox* cboPTFilter = nullptr;
    QComboBox* cboPTFilter2 = nullptr;
    QCheckBox* chkPTColor = nullptr;
    QCheckBox* chkPTShowHit = nullptr;
    QCheckBox* chkPTSort = nullptr;
    QCheckBox* chkPTColorUpDown = nullptr;
    std::array<QRadioButton*, 3> OptPTKind{}; // the display mode
    QRadioButton* optPtOrder = nullptr;
    QRadioButton* optPTVal = nullptr;

    // The view: one of the two is shown.
    CFlexGrid* msgMain = nullptr;
    QvxChart* chMain = nullptr;

    // The tab strip, the holder of its pages with its scroll bar, and the
    // condition box of an indicator trend.
    QTabBar* Tsp1 = nullptr;
    QWidget* PicTsp = nullptr;
    QScrollBar* HsbTsp = nullptr;
    QFrame* FraFilter = nullptr;
    QCheckBox* chkFilter = nullptr;
    QLineEdit* TxtFilter = nullptr;
    std::array<QWidget*, kTabCount> Pages{}; // tabs 1..7 (index tab - 1)
    std::array<QFrame*, 2> Separators{};

    // The option buttons of the views, and the lists of the cycle and
    // relation pages.
    QRadioButton* OptListAll = nullptr;
    std::array<QRadioButton*, 8> OptList{};
    std::array<QRadioButton*, 8> OptStat{};
    QRadioButton* OptStatAll = nullptr;
    QRadioButton* OptAll = nullptr;
    std::vector<QRadioButton*> OptFilter; // the indicators, then the game's positions
    QRadioButton* OptCycle = nullptr;
    std::array<QRadioButton*, 4> OptGather{};
    std::array<QRadioButton*, 4> optFilterMiss{};
    std::array<QRadioButton*, 5> optFilterMiss2{};
    QListWidget* LstCycle = nullptr;
    QListWidget* LstRelate = nullptr;
    QPlainTextEdit* txtCycle = nullptr;

    // The page of a tab (1..7); nullptr for the others.
    QWidget* Page(int tab) const;
    // The option button of a view; nullptr for an index that has none.
    QRadioButton* OptionOf(const ViewId& id) const;
};

} // namespace kelton
