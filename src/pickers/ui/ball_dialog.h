#pragma once

#include <vector>

#include <QColor>

#include "pickers/bet_ball.h"
#include "pickers/ui/number_picker_dialog.h"

class QPushButton;

namespace kelton {

class CFlexGrid;
class CLottorHead;

// The bet-number picker "投注号码编辑": one value per position, each chosen on
// its row's ten-cell grid where the current value is highlighted. A fresh
// dialog for each use: the opener sets HeadData, then Ball of every
// position, checks CanShow, shows it modally and, once it has closed, reads
// ClickOk and, when that is true, Ball of every position.
class fBall : public CNumberPickerDialog {
    Q_OBJECT

public:
    explicit fBall(QWidget* parent = nullptr);

    void SetHeadData(const CLottorHead& head);
    void SetBall(int position, int value) { m_bet.SetBall(position, value); }
    int16_t Ball(int position) const { return m_bet.Ball(position); }
    // Whether the window can show the bet (every value on its grid).
    bool CanShow() const { return m_bet.CanShow(); }

    // Row i serves position i + 1.
    int RowCount() const { return static_cast<int>(m_grids.size()); }
    QLabel* LblBc(int i) const { return m_captions.at(static_cast<size_t>(i)); }
    CFlexGrid* msgBc(int i) const { return m_grids.at(static_cast<size_t>(i)); }
    QPushButton* cmdOk() const { return m_cmdOk; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* Cmdhelp() const { return m_cmdHelp; }

    // A click on a cell of row i makes the value under the mouse the
    // position's value; values above the position's bound are refused with
    // a message.
    void msgBc_Click(int i);
    void cmdOk_Click();
    void cmdCancel_Click();
    void Cmdhelp_Click();

protected:
    void Form_Load() override;

private:
    QColor RowColour(int position) const;

    CBetBall m_bet;
    QColor m_mainColour;
    QColor m_secondaryColour;

    std::vector<QLabel*> m_captions;
    std::vector<CFlexGrid*> m_grids;
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
};

} // namespace kelton
