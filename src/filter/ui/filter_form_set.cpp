// The filter window's bet settings: the target issue, the digit grids and
// their presets, and the bet-type options.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTabBar>

#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "filter/ui/filter_form.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/stored_colour.h"

namespace kelton {

void fFilter::RefreshForm()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!m_loaded || !game)
        return;
    QScopedValueRollback busy(m_isBusy, true);
    m_ui.cboNumName->clear();
    m_ui.cboNumName->addItems(TargetIssueItems(*game));
    SelectTargetIssue(m_ui.cboNumName->count() - 1);
}

void fFilter::SelectTargetIssue(int index)
{
    m_ui.cboNumName->setCurrentIndex(index);
    cboNumName_Click();
}

void fFilter::cboNumName_Click()
{
    // Runs whatever the busy flag says: it stores the choice and shows the
    // drawn numbers.
    m_app.Document.SetTargetIssue(m_ui.cboNumName->currentIndex(), m_ui.cboNumName->currentText());
    const std::shared_ptr<CLottorData> game = Game();
    m_ui.LblBall->setText(
        game ? DrawnNumberText(*game, m_ui.cboNumName->currentIndex(), m_ui.cboNumName->count()) : QString());
}

void fFilter::RefreshBall(int16_t sPos, int16_t sBall)
{
    const std::shared_ptr<CLottorData> game = Game();
    // Secondary positions have no grid here, and the window has four.
    if (!m_loaded || !game || sPos < 0 || sPos > m_bcMain || sPos >= static_cast<int16_t>(m_ui.msgBc.size()))
        return;
    PaintDigitCell(sPos, sBall, *game);
}

void fFilter::PaintDigitCell(int16_t grid, int16_t value, const CLottorData& game)
{
    CFlexGrid* cells = m_ui.msgBc[static_cast<size_t>(grid)];
    const int row = value / 5;
    const int col = value % 5;
    if (value < 0 || row >= cells->Rows())
        return;
    const bool chosen = value <= game.HeadData.BcDataLen && game.SelectBall(grid, value) != 0;
    const QColor unmarked = m_ui.picSet->palette().color(QPalette::Window);
    cells->SetCellBackColor(row, col, chosen ? ToQColor(ColorRgb(game.HeadData.BcMainColor)) : unmarked);
    cells->SetCellForeColor(row, col, Qt::black);
}

void fFilter::SelectPreset(int grid, int preset)
{
    m_ui.CboBc[static_cast<size_t>(grid)]->setCurrentIndex(preset);
    CboBc_Click(grid);
}

void fFilter::CboBc_Click(int index)
{
    const std::shared_ptr<CLottorData> game = Game();
    if (m_isBusy || !game || index < 0 || index > m_bcMain)
        return;
    QScopedValueRollback busy(m_isBusy, true);
    const int preset = m_ui.CboBc[static_cast<size_t>(index)]->currentIndex();
    const auto& primes = kPrimeFlag;
    GameDocument& doc = m_app.Document;
    for (int16_t v = 0; v <= game->HeadData.BcDataLen; ++v)
        doc.SetMark(static_cast<int16_t>(index), v, PresetMarks(preset, v, primes) ? int16_t(-1) : int16_t(0));
}

void fFilter::msgBc_Click(int index)
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game)
        return;
    const CFlexGrid* grid = m_ui.msgBc[static_cast<size_t>(index)];
    const int v = 5 * grid->Row() + grid->Col();
    if (v <= game->HeadData.BcDataLen)
        m_app.Document.ToggleMark(static_cast<int16_t>(index), static_cast<int16_t>(v));
}

void fFilter::SelectBetType(int index)
{
    if (index < 0 || index >= kBetTypeCount)
        return;
    m_ui.optSel[static_cast<size_t>(index)]->setChecked(true);
    optSel_Click(index);
}

void fFilter::ShowDigitGrids(bool direct)
{
    for (size_t i = 0; i < m_ui.msgBc.size(); ++i) {
        const bool shown = i == 0 ? !direct : direct && static_cast<int16_t>(i) <= m_bcMain;
        m_ui.LblBc[i]->setVisible(shown);
        m_ui.msgBc[i]->setVisible(shown);
        m_ui.CboBc[i]->setVisible(shown);
    }
}

void fFilter::optSel_Click(int index)
{
    QScopedValueRollback busy(m_isBusy, true);
    const bool direct = index == 0;
    ShowDigitGrids(direct);
    // Group bets switch off the on flags of what does not apply to them;
    // no flag is switched on by a group type, and none changes its value.
    const auto& groupFlags = kGroupIndicatorFlag;
    for (size_t k = 0; k < m_ui.chkFilter.size(); ++k) {
        if (direct)
            m_ui.chkFilter[k]->setEnabled(true);
        else if (!ConditionAppliesTo(false, static_cast<int16_t>(k), groupFlags))
            m_ui.chkFilter[k]->setEnabled(false);
    }
    // The windows showing conditions follow the offered type themselves.
    m_app.Document.SetBetType(static_cast<BetType>(index));
}

} // namespace kelton
