#pragma once

#include <array>
#include <vector>

#include <QColor>

#include "pickers/ball_list.h"
#include "pickers/ui/number_picker_dialog.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kelton {

class CFlexGrid;
class CLottorHead;

// The number-list picker "号码选择": a number list chosen for any position
// ("组选") or for each main position ("单选") on ten-cell grids. A fresh
// dialog for each use: the opener sets HeadData, then Ball, shows it modally
// and, once it has closed, reads ClickOk and, when that is true, Ball. Both
// modes keep their selections while the user switches between them; Ball
// gives the one of the mode shown last.
class FBalls : public CNumberPickerDialog {
    Q_OBJECT

public:
    explicit FBalls(QWidget* parent = nullptr);

    void SetHeadData(const CLottorHead& head);
    void SetBall(const QString& text) { m_list.SetBall(text); }
    QString Ball() const { return m_list.Ball(); }
    bool IsSingle() const { return m_list.IsSingle(); }
    void SetIsSingle(bool single) { m_list.SetIsSingle(single); }
    // Clears the whole selection; the grids are not repainted.
    void ClsBall() { m_list.ClsBall(); }
    const CBallList& List() const { return m_list; }

    // Row 0 is the group row, row i main position i.
    int RowCount() const { return static_cast<int>(m_grids.size()); }
    QLabel* LblBc(int i) const { return m_captions.at(static_cast<size_t>(i)); }
    CFlexGrid* msgBc(int i) const { return m_grids.at(static_cast<size_t>(i)); }
    QComboBox* CboBc(int i) const { return m_lists.at(static_cast<size_t>(i)); }
    // 0 "单选", 1 "组选".
    QRadioButton* optSel(int i) const { return m_optSel.at(static_cast<size_t>(i)); }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }

    // A click on a cell of row i's grid flips the value under the mouse;
    // values above the game's largest are refused with a message.
    void msgBc_Click(int i);
    // A quick choice replaces row i's selection.
    void CboBc_Click(int i);
    // 0 "单选": the position rows; 1 "组选": the group row.
    void optSel_Click(int index);
    void cmdOK_Click();
    void cmdCancel_Click();
    void CmdHelp_Click();

protected:
    void Form_Load() override;

private:
    void AddRow(int i, const QString& caption, const BallsLayout::Row& place);
    void PaintRow(int i);

    CBallList m_list;
    QColor m_selectedColour;
    bool m_isBusy = false;

    std::vector<QLabel*> m_captions;
    std::vector<CFlexGrid*> m_grids;
    std::vector<QComboBox*> m_lists;
    std::array<QRadioButton*, 2> m_optSel{};
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
};

} // namespace kelton
