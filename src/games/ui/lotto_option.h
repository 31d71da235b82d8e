#pragma once

#include <array>

#include <QDialog>

#include "games/game_options.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace kelton {

class CColourLabel;
class CLottorHead;

// The game options dialog "彩票选项": the custom statistics period, the
// draws the analysis windows show, the list direction and seven colours of
// a game's definition. It reads them when it opens (repairing periods out
// of range in the definition at once) and writes them back on OK only.
class FLottoOption : public QDialog {
    Q_OBJECT

public:
    explicit FLottoOption(CLottorHead& head, QWidget* parent = nullptr);

    QComboBox* cboCustomStat() const { return m_cboCustomStat; }
    QComboBox* cboShowCourse() const { return m_cboShowCourse; }
    QCheckBox* ChkListAsc() const { return m_chkListAsc; }
    // The colour labels by GameColour: lblRowColor1, lblRowColor2,
    // lblRankColor1, lblRankColor2, lblCycleColor, LblBcColor, LblMrColor.
    CColourLabel* ColourLabel(GameColour c) const { return m_colours[c]; }
    QLabel* Label1() const { return m_label1; }
    QPushButton* CmdOk() const { return m_cmdOk; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* cmdDefault() const { return m_cmdDefault; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }

    // The options as the controls show them.
    GameOptions Shown() const;
    // The title of the colour choice of a label.
    QString ColourTitle(GameColour c) const;

    void Form_Load();
    // Lets the user choose the label's colour, starting from the one shown.
    void ColourLabel_Click(GameColour c);
    // Puts the controls (not the definition) to the defaults.
    void cmdDefault_Click();
    // Writes the options into the definition and closes.
    void CmdOk_Click();
    void cmdCancel_Click();
    void CmdHelp_Click();

private:
    void Show(const GameOptions& options);

    CLottorHead& m_head;
    QComboBox* m_cboCustomStat = nullptr;
    QComboBox* m_cboShowCourse = nullptr;
    QCheckBox* m_chkListAsc = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label7 = nullptr;
    QLabel* m_label1 = nullptr;
    std::array<CColourLabel*, kGameColourCount> m_colours{};
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdDefault = nullptr;
    QPushButton* m_cmdHelp = nullptr;
};

} // namespace kelton
