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
    return m_tspChipIn->currentIndex() + 1;
}

void fFilter::SelectTab(int tabPosition)
{
    {
        const QSignalBlocker quiet(m_tspChipIn);
        m_tspChipIn->setCurrentIndex(tabPosition - 1);
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
    m_otherHeader.Box->setVisible(other);
    m_picChipInOther->setVisible(other);
    m_picChipInData->setVisible(!other);
    m_rowsArea->setVisible(!other);
    m_dataHeader.Box->setVisible(!other);
    m_chkErr->setVisible(!other);
    m_txtErr->setVisible(!other);
    // The rows' scroll bar shows on a data page when the rows overflow.
    m_vslChipIn->setVisible(!other && m_vslChipIn->maximum() > 1);
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
        m_otherHeader.ErrSwitch->setChecked(game->ShrinkOtherErrSel != 0);
        m_otherHeader.ErrValues->setText(RangeToStr(game->ShrinkOtherErrVal));
        m_otherHeader.ErrValues->setEnabled(m_otherHeader.ErrSwitch->isChecked());
        const int16_t sel[3] = {game->FilterMatch.Sel, game->FilterHistory.Sel, game->FilterGather.Sel};
        const int16_t errSel[3] = {game->FilterMatch.ErrSel, game->FilterHistory.ErrSel,
                                   game->FilterGather.ErrSel};
        for (size_t i = 0; i < 3; ++i) {
            m_chkOther[i]->setChecked(sel[i] != 0);
            m_chkOtherSubErr[i]->setEnabled(m_chkOther[i]->isChecked());
            m_chkOtherSubErr[i]->setChecked(errSel[i] != 0);
        }
        return;
    }

    ShowOtherPage(false);
    m_chkErr->setChecked(game->ShrinkAllErrSel != 0);
    m_txtErr->setText(RangeToStr(game->ShrinkAllErrVal));
    m_txtErr->setEnabled(m_chkErr->isChecked());
    const CStat* stat = ShownView();
    if (!stat)
        return;
    const auto own = static_cast<int16_t>(m_bcMain + 43);
    m_dataHeader.ErrSwitch->setChecked(stat->ShrinkSel(own) != 0);
    m_dataHeader.ErrValues->setText(RangeToStr(stat->ShrinkVal(own)));
    m_dataHeader.ErrValues->setEnabled(m_dataHeader.ErrSwitch->isChecked());
    for (size_t k = 0; k < m_chkFilter.size(); ++k) {
        const auto kind = static_cast<int16_t>(k);
        m_chkFilter[k]->setChecked(stat->ShrinkSel(kind) != 0);
        m_chkFilter2[k]->setChecked(stat->ShrinkErr(kind) != 0);
        m_txtFilter[k]->setText(RangeToStr(stat->ShrinkVal(kind)));
        const bool on = m_chkFilter[k]->isChecked();
        m_txtFilter[k]->setEnabled(on);
        m_chkFilter2[k]->setEnabled(on);
    }
}

void fFilter::TxtErr_Change()
{
    const std::shared_ptr<CLottorData> game = Game();
    m_txtErr->setText(game ? RangeToStr(game->ShrinkAllErrVal) : QString());
}

void fFilter::TxtOtherErr_Change()
{
    const std::shared_ptr<CLottorData> game = Game();
    m_otherHeader.ErrValues->setText(game ? RangeToStr(game->ShrinkOtherErrVal) : QString());
}

void fFilter::LblFilter_Click(int index)
{
    const int16_t view = TabView(SelectedTab());
    if (view < 0 || view >= AppState::InferCount || index < 0 || index >= ConditionRows())
        return;
    if (IInferForm* form = m_app.InferForms[static_cast<size_t>(view)])
        form->ShowLay(m_lblFilter[static_cast<size_t>(index)]->property("tag").toString());
}

} // namespace kelton
