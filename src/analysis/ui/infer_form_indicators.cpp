// The indicator, cycle, relation and miss views of the analysis window.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>

#include "analysis/number_tables.h"
#include "analysis/ui/infer_form.h"
#include "chart/ui/qvx_chart.h"
#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

// ---------------------------------------------------------------------------
// The views drawn by the other families. Each keeps the protocol; until its
// drawing is plugged in here it shows its top bar and an empty view.

void FInfer::ShowEmptyView(const ViewId& id)
{
    const int16_t kind = TopBarKindOf(id.Family);
    // The ranking chart and the miss views do not put the program in its
    // wait state.
    const bool wait =
        id.Family != ViewFamily::Stat && id.Family != ViewFamily::FilterMiss && id.Family != ViewFamily::FilterMiss2;
    const ViewRun run(*this, wait);
    QRadioButton* option = OptionOf(id);
    const QString caption = option ? option->text() : QString();
    if (id.Family == ViewFamily::Gather)
        NameView(caption);
    SetupTopBar(kind);
    if (id.Family != ViewFamily::Gather)
        NameView(caption);
    m_msgMain->SetTextSource({});
    m_table.reset();
    m_msgMain->Clear();
    m_msgMain->SetRows(2);
    m_msgMain->SetCols(2);
    m_msgMain->SetFixedRows(1);
    m_msgMain->SetFixedCols(1);
    const bool chart = id.Family == ViewFamily::Stat || id.Family == ViewFamily::Filter
                       || id.Family == ViewFamily::FilterMiss || id.Family == ViewFamily::FilterMiss2;
    if (chart)
        m_chMain->show();
    else
        m_msgMain->show();
}

} // namespace kelton
