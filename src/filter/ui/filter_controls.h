#pragma once

#include <array>
#include <vector>

#include "filter/filter_form_rules.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabBar;
class QWidget;

namespace kelton {

class CFlexGrid;
class CXpToolBar;

// The controls of the filter window, each named as its object: the three
// framed panels with their inner boxes, the bet settings, the condition
// panel with its two pages, and the bet results. The window builds them and
// owns them (as its children); tests drive them from here. The condition
// rows come with the window's build: empty before it.
struct FilterControls {
    // The frames and their inner boxes.
    QGroupBox* FraSet = nullptr;
    QGroupBox* FraChipIn = nullptr;
    QGroupBox* FraResult = nullptr;
    QWidget* picSet = nullptr;
    QWidget* picChipIn = nullptr;
    QWidget* picResult = nullptr;

    // Bet settings: the target issue with its drawn numbers, the digit
    // grids (0 group digits, 1..3 the positions) with their presets, the
    // bet types and the make-bets button.
    QComboBox* cboNumName = nullptr;
    QLabel* LblBall = nullptr;
    std::array<QLabel*, 4> LblBc{};
    std::array<CFlexGrid*, 4> msgBc{};
    std::array<QComboBox*, 4> CboBc{};
    std::array<QRadioButton*, kBetTypeCount> optSel{};
    QPushButton* cmdSingle = nullptr;

    // The condition panel: the tab strip, the inner box with the rows'
    // page and the other filters' page, each under its header.
    QTabBar* tspChipIn = nullptr;
    QWidget* picChipIn1 = nullptr;
    QWidget* picChipInData = nullptr;
    QWidget* picChipInDataHeader = nullptr;
    QWidget* picChipInOtherHeader = nullptr;
    QWidget* PicChipInOther = nullptr;
    QScrollBar* vslChipIn = nullptr;
    // One of each per condition row.
    std::vector<QCheckBox*> chkFilter;
    std::vector<QLabel*> LblFilter;
    std::vector<QLineEdit*> TxtFilter;
    std::vector<QCheckBox*> chkFilter2;
    // The data page's header.
    QPushButton* cmdSelAll = nullptr;
    QCheckBox* chkFilterErr = nullptr;
    QLineEdit* TxtFilterErr = nullptr;
    QPushButton* cmdSelErr = nullptr;
    // The other filters' page: its header, then match, history and
    // generating/restraining with their set-up buttons and tolerances.
    QPushButton* cmdSelAllOther = nullptr;
    QCheckBox* chkOtherErr = nullptr;
    QLineEdit* TxtOtherErr = nullptr;
    QPushButton* cmdSelErrOther = nullptr;
    QCheckBox* chkMatch = nullptr;
    QCheckBox* chkHistory = nullptr;
    QCheckBox* chkGather = nullptr;
    QPushButton* cmdMatch = nullptr;
    QPushButton* cmdHistory = nullptr;
    QPushButton* cmdGather = nullptr;
    QCheckBox* chkMatchErr = nullptr;
    QCheckBox* chkHistoryErr = nullptr;
    QCheckBox* ChkGatherErr = nullptr;
    // Below the pages: the total tolerance and the check and range buttons.
    QCheckBox* ChkErr = nullptr;
    QLineEdit* TxtErr = nullptr;
    QPushButton* cmdChipInVali = nullptr;
    QPushButton* cmdChipInNearLay = nullptr;

    // Bet results.
    CXpToolBar* tbrResult = nullptr;
    CFlexGrid* msgResult = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdGetFilter = nullptr;
    QPushButton* cmdPrintFilter = nullptr;
};

} // namespace kelton
