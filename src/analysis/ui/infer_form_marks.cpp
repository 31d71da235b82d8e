// The analysis window's next-period row: a double click marks a number for
// the bets, and a changed mark repaints its one cell in whatever number
// table is shown. Also where the views' own controls are wired.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScopedValueRollback>

#include "analysis/next_marks.h"
#include "analysis/number_tables.h"
#include "analysis/ui/infer_form.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/stored_colour.h"

namespace kelton {

using namespace Qt::StringLiterals;

void FInfer::ConnectViewControls()
{
    connect(m_ui.msgMain, &CFlexGrid::DblClick, this, [this] { msgMain_DblClick(); });
    connect(m_ui.msgMain, &CFlexGrid::Click, this, [this] { msgMain_Click(); });
    connect(m_ui.LstCycle, &QListWidget::currentRowChanged, this, [this](int) { LstCycle_Click(); });
    connect(m_ui.chkFilter, &QCheckBox::clicked, this, [this] { chkFilter_Click(); });
    connect(m_ui.TxtFilter, &QLineEdit::textEdited, this, [this] { TxtFilter_Change(); });
    m_ui.TxtFilter->installEventFilter(this);
    // The kind lists refuse some pairs before they redraw.
    for (const int which : {0, 1}) {
        QComboBox* box = which == 0 ? m_ui.cboPTFilter : m_ui.cboPTFilter2;
        disconnect(box, &QComboBox::activated, this, nullptr);
        connect(box, &QComboBox::activated, this, [this, which](int) { cboPTFilter_Click(which); });
    }
    // Relations between positions a game does not have are not offered.
    const int16_t bcMain = m_stat.HeadData() ? m_stat.HeadData()->BcMain : 0;
    for (int16_t k = 0; k < kRelationKinds; ++k)
        m_ui.OptGather[static_cast<size_t>(k)]->setEnabled(RelationKindAvailable(k, bcMain));
}

void FInfer::msgMain_DblClick()
{
    const int row = m_ui.msgMain->Row();
    const int col = m_ui.msgMain->Col();
    if (m_ui.msgMain->TextMatrix(row, 0) != u"下期"_s || m_currentViewName == m_ui.OptAll->text())
        return;
    const int16_t choice = m_currentViewName == m_ui.OptCycle->text()
                               ? 2
                               : static_cast<int16_t>(m_ui.cboPTSubarea->currentIndex());
    const std::optional<BallMark> mark = NextRowMark(m_stat, NumberGrid(Sizes(), choice, Names()), col);
    if (mark)
        m_app.Document.ToggleMark(mark->Pos, mark->Ball);
}

void FInfer::RefreshBall(int16_t sPos, int16_t sBall)
{
    // Only a window showing a chart leaves its grid alone: a closed or
    // minimized window keeps its table and shows the mark when it is back.
    if (!FormOpen() || !m_ui.msgMain || !m_ui.msgMain->isVisibleTo(this))
        return;
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    const CLottorHead* head = m_stat.HeadData();
    if (!game || !head)
        return;
    CFlexGrid* grid = m_ui.msgMain;
    const int top = grid->TopRow();
    grid->SetRedraw(false);
    // The combined ranking table shows the next issue by its own period
    // list, whatever the range lists hold.
    const bool ranking = m_currentViewName == m_ui.OptStatAll->text();
    const bool rangeToNext = m_ui.cboPTEnd->currentIndex() + 1 == m_ui.cboPTEnd->count();
    const int row = grid->Rows() >= 3 && grid->TextMatrix(2, 0) == u"下期"_s ? 2 : grid->Rows() - 1;
    if (grid->Rows() >= 3 && (rangeToNext || ranking) && grid->TextMatrix(row, 0) == u"下期"_s) {
        NextTable table = NextTable::Distribution;
        int16_t rankKind = -1;
        if (m_currentViewName == m_ui.OptListAll->text()) {
            table = NextTable::History;
        } else if (ranking) {
            table = NextTable::CombinedRanking;
        } else if (m_currentViewName == m_ui.OptCycle->text()) {
            table = NextTable::Cycle;
        } else {
            for (int16_t k = 0; k < 8; ++k) {
                if (m_ui.OptList[static_cast<size_t>(k)]->text() == m_currentViewName)
                    rankKind = k;
            }
        }
        const int16_t choice =
            table == NextTable::Cycle ? 2 : static_cast<int16_t>(m_ui.cboPTSubarea->currentIndex());
        const int32_t last = m_stat.BallCount() - 1;
        // A secondary number is never ranked: its column is its value.
        const int16_t d = sPos > head->BcMain ? sBall : m_stat.Data(last, sBall, 2);
        const int col = DigitColumn(NumberGrid(Sizes(), choice, Names()), sPos, d);
        const bool known = table != NextTable::Distribution || rankKind >= 0;
        if (known && col > 0 && col < grid->Cols()) {
            const int mode = DisplayMode();
            const QColor back = grid->CellBackColor(row, col);
            const int32_t currentBack = back.red() + 256 * back.green() + 65536 * back.blue();
            const NextCellPaint paint = NextCellPaintOf(
                *head, table, sPos, game->SelectBall(sPos, sBall) != 0, m_ui.chkPTShowHit->isChecked(),
                m_ui.chkPTColor->isChecked(), row, currentBack);
            grid->SetRow(row);
            grid->SetCol(col);
            if (paint.Back)
                grid->SetCellBackColor(ToQColor(*paint.Back));
            grid->SetCellForeColor(ToQColor(paint.Fore));
            // The number tables hand out their texts as they are shown.
            const bool lazy = table == NextTable::History || table == NextTable::Distribution;
            grid->SetText(lazy || !paint.WithText
                              ? QString()
                              : NextCellText(m_stat, Secondary(), table, rankKind, sPos, d, mode));
        }
    }
    grid->SetRedraw(true);
    if (top > 2)
        grid->SetTopRow(top);
}

} // namespace kelton
