// The pages' files: export, import replacing or appending, and section text
// read into a page.

#include <QCoreApplication>
#include <QFileInfo>
#include <QCheckBox>
#include <QLineEdit>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "otherfilter/ui/other_filter_panel.h"
#include "otherfilter/ui/page_grid_cells.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/message_box.h"

namespace kelton {

namespace {

OtherFilterKind KindOf(OtherPage page)
{
    return static_cast<OtherFilterKind>(static_cast<int>(page));
}

// The filter window's two switches of the page's filter, which write
// straight into the current game's list.
OtherSwitches SwitchesOf(const AppState& app, OtherPage page)
{
    const std::shared_ptr<CLottorData> game = app.CurLottorData;
    if (!game)
        return {};
    switch (page) {
    case OtherPage::Match:
        return {game->FilterMatch.Sel, game->FilterMatch.ErrSel};
    case OtherPage::History:
        return {game->FilterHistory.Sel, game->FilterHistory.ErrSel};
    case OtherPage::Gather:
        return {game->FilterGather.Sel, game->FilterGather.ErrSel};
    }
    return {};
}

void Tell(QWidget* owner, const QString& text)
{
    MsgBox(owner, QMessageBox::NoIcon, QString::fromUtf16(kOtherFileMessageTitle), text);
}

} // namespace

OtherPageState COtherFilterPage::State() const
{
    OtherPageState state;
    state.SubErrEnabled = ChkErr()->isChecked();
    state.SubErrText = TxtErr()->text();
    state.Rows = PageRowLines(CFlexGridPageCells(*Grid()));
    return state;
}

void COtherFilterPage::TakeImport(const OtherPageState& state, bool append, qsizetype before)
{
    CFlexGridPageCells cells(*Grid());
    Grid()->SetRedraw(false);
    if (append) {
        AddPageLines(cells, state.Rows.mid(before));
    } else {
        Grid()->SetRows(1);
        AddPageLines(cells, state.Rows);
        ChkErr()->setChecked(state.SubErrEnabled);
        ChkErr_Click();
        TxtErr()->setText(state.SubErrText);
    }
    FitColumns();
    ApplyHighlight();
    Grid()->SetRedraw(true);
}

OtherImportOutcome PicOtherFilter::OpenPage(OtherPage page, const QString& text, bool append)
{
    COtherFilterPage* shown = Page(page);
    OtherPageState state = shown->State();
    const qsizetype before = state.Rows.size();
    const OtherImportOutcome outcome = ImportOtherSectionText(text, KindOf(page), state, append);
    if (outcome == OtherImportOutcome::Imported)
        shown->TakeImport(state, append, before);
    return outcome;
}

void PicOtherFilter::OpenFile(OtherPage page, bool append)
{
    const OtherFilterKind kind = KindOf(page);
    const OtherFileTextSet texts = OtherFileTexts(kind);
    const QString path = GetOpenFile(this, texts.ImportTitle, OtherFileFilter(kind, AppTitle()));
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    QCoreApplication::processEvents();
    CMsg msg;
    msg.StartShowMsg(QString::fromUtf16(kOtherImportStatus));
    const MsgBusyGuard busy(msg);
    COtherFilterPage* shown = Page(page);
    OtherPageState state = shown->State();
    const qsizetype before = state.Rows.size();
    // A file without the page's section, one that cannot be read, is too
    // large, or would take the page past its limit leaves the page as it
    // was.
    if (const OtherImportOutcome outcome = ImportOtherFilterFile(path, kind, state, append);
        outcome != OtherImportOutcome::Imported) {
        Tell(this, OtherImportFailure(kind, outcome));
        return;
    }
    shown->TakeImport(state, append, before);
    Tell(this, texts.ImportDone);
}

void PicOtherFilter::SaveFile(OtherPage page)
{
    const OtherFilterKind kind = KindOf(page);
    const OtherFileTextSet texts = OtherFileTexts(kind);
    const QString path = GetSaveFile(this, texts.ExportTitle, OtherFileFilter(kind, AppTitle()));
    if (path.isEmpty())
        return;
    QCoreApplication::processEvents();
    CMsg msg;
    msg.StartShowMsg(QString::fromUtf16(kOtherExportStatus));
    const MsgBusyGuard busy(msg);
    const SaveOutcome written = WriteOtherFilterFile(path, kind, SwitchesOf(m_app, page), Page(page)->State());
    Tell(this, written ? texts.ExportDone : OtherExportFailure(path, written.Reason));
}

} // namespace kelton
