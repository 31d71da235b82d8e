// The filter window's condition panel: the tabs, the refill of the rows
// from the shown data view, and the link from a row to the analysis window.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "filter/ui/filter_form.h"

namespace kelton {

int fFilter::SelectedTab() const
{
    return m_ui.tspChipIn->currentIndex() + 1;
}

void fFilter::SelectTab(int tabPosition)
{
    {
        const QSignalBlocker quiet(m_ui.tspChipIn);
        m_ui.tspChipIn->setCurrentIndex(tabPosition - 1);
    }
    tspChipIn_Click();
}

void fFilter::tspChipIn_Click()
{
    RefreshFilter();
}

CStat* fFilter::ShownView() const
{
    const std::shared_ptr<CLottorData> game = Game();
    const int16_t view = TabView(SelectedTab());
    return game && view >= 0 ? game->StatView(view) : nullptr;
}

void fFilter::ShowOtherPage(bool other)
{
    m_ui.picChipInOtherHeader->setVisible(other);
    m_ui.PicChipInOther->setVisible(other);
    m_ui.picChipInData->setVisible(!other);
    m_rowsArea->setVisible(!other);
    m_ui.picChipInDataHeader->setVisible(!other);
    m_ui.ChkErr->setVisible(!other);
    m_ui.TxtErr->setVisible(!other);
    // The rows' scroll bar shows on a data page when the rows overflow.
    m_ui.vslChipIn->setVisible(!other && m_ui.vslChipIn->maximum() > 1);
}

void fFilter::RefreshFilter()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (m_isBusy || !m_loaded || !game)
        return;
    QScopedValueRollback busy(m_isBusy, true);
    if (SelectedTab() == 1) {
        ShowOtherPage(true);
        // The other filters' tolerance as stored, as the total tolerance is
        // shown on a data page: a window built anew shows it too.
        m_ui.chkOtherErr->setChecked(game->ShrinkOtherErrSel != 0);
        m_ui.TxtOtherErr->setText(RangeToStr(game->ShrinkOtherErrVal));
        m_ui.TxtOtherErr->setEnabled(m_ui.chkOtherErr->isChecked());
        const int16_t sel[3] = {game->FilterMatch.Sel, game->FilterHistory.Sel, game->FilterGather.Sel};
        const int16_t errSel[3] = {game->FilterMatch.ErrSel, game->FilterHistory.ErrSel,
                                   game->FilterGather.ErrSel};
        for (size_t i = 0; i < 3; ++i) {
            const OtherRow row = OtherFilterRow(i);
            row.Switch->setChecked(sel[i] != 0);
            row.ErrSwitch->setEnabled(row.Switch->isChecked());
            row.ErrSwitch->setChecked(errSel[i] != 0);
        }
        return;
    }

    ShowOtherPage(false);
    m_ui.ChkErr->setChecked(game->ShrinkAllErrSel != 0);
    m_ui.TxtErr->setText(RangeToStr(game->ShrinkAllErrVal));
    m_ui.TxtErr->setEnabled(m_ui.ChkErr->isChecked());
    const CStat* stat = ShownView();
    if (!stat)
        return;
    const auto own = static_cast<int16_t>(m_bcMain + 43);
    m_ui.chkFilterErr->setChecked(stat->ShrinkSel(own) != 0);
    m_ui.TxtFilterErr->setText(RangeToStr(stat->ShrinkVal(own)));
    m_ui.TxtFilterErr->setEnabled(m_ui.chkFilterErr->isChecked());
    for (size_t k = 0; k < m_ui.chkFilter.size(); ++k) {
        const auto kind = static_cast<int16_t>(k);
        m_ui.chkFilter[k]->setChecked(stat->ShrinkSel(kind) != 0);
        m_ui.chkFilter2[k]->setChecked(stat->ShrinkErr(kind) != 0);
        m_ui.TxtFilter[k]->setText(RangeToStr(stat->ShrinkVal(kind)));
        const bool on = m_ui.chkFilter[k]->isChecked();
        m_ui.TxtFilter[k]->setEnabled(on);
        m_ui.chkFilter2[k]->setEnabled(on);
    }
}

void fFilter::TxtErr_Change()
{
    const std::shared_ptr<CLottorData> game = Game();
    m_ui.TxtErr->setText(game ? RangeToStr(game->ShrinkAllErrVal) : QString());
}

void fFilter::TxtOtherErr_Change()
{
    const std::shared_ptr<CLottorData> game = Game();
    m_ui.TxtOtherErr->setText(game ? RangeToStr(game->ShrinkOtherErrVal) : QString());
}

void fFilter::LblFilter_Click(int index)
{
    const int16_t view = TabView(SelectedTab());
    if (view < 0 || view >= AppState::InferCount || index < 0 || index >= ConditionRows())
        return;
    if (IInferForm* form = m_app.InferForms[static_cast<size_t>(view)])
        form->ShowLay(m_ui.LblFilter[static_cast<size_t>(index)]->property("tag").toString());
}

} // namespace kelton
