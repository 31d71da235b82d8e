// The filter window's bets: making them, the count line, the result grid
// with its popup and keys, editing, adding, copying and deleting bets, and
// the result toolbar's steps.

#include <optional>
#include <utility>
#include <vector>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShortcut>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/lottor_data.h"
#include "filter/bet_commands.h"
#include "filter/result_grid.h"
#include "filter/ui/filter_form.h"
#include "host/ui/shell_windows.h"
#include "host/ui/window_host.h"
#include "host/ui/xp_toolbar.h"
#include "pickers/ui/pick.h"
#include "platform/services.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/message_box.h"
#include "platform/ui/stored_colour.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// The popup entries whose keys work while the result grid has the focus.
constexpr MainCommand kKeyedEntries[] = {MainCommand::FilterView, MainCommand::FilterAdd,
                                         MainCommand::FilterDelect, MainCommand::FilterSort};

} // namespace

StopQuestion fFilter::AskToStop(QWidget* owner)
{
    return [owner](const QString& question) {
        return MsgBox(owner, QMessageBox::NoIcon, u"操作提示"_s, question,
                      QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    };
}

// ---------------------------------------------------------------------------
// Making bets

void fFilter::cmdSingle_Click()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game)
        return;
    GameDocument& doc = m_app.Document;
    CMsg msg;
    // The window shows the new list on the document's word.
    const ExpandOutcome outcome = doc.ChangeBets([&](BetList& bets) {
        return ExpandBets(doc.OfferedBetType(), SelectionOf(*game), game->HeadData.BcMain, bets, msg,
                          AskToStop(this));
    });
    if (!outcome.Ok())
        MsgBox(this, QMessageBox::Information, u"系统提示"_s, outcome.Message());
}

// ---------------------------------------------------------------------------
// Count line and result grid

void fFilter::ShowResultCount()
{
    if (!m_loaded)
        return;
    const BetList& bets = m_app.Document.Bets();
    m_ui.tbrResult->Button(0)->setEnabled(bets.CanUndo());
    m_ui.tbrResult->Button(1)->setEnabled(bets.CanRedo());
    m_ui.lblCount->setText(bets.CountText());
    ShowPage();
}

QString fFilter::ResultCellText(int row, int col) const
{
    if (row < 1)
        return QString();
    return kelton::ResultCellText(m_app.Document.Bets(), m_ui.msgResult->RowData(row), col,
                                  {m_bcMain, m_bcWidth, m_mrWidth});
}

void fFilter::ShowPage()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!m_loaded || !game)
        return;
    CFlexGrid* grid = m_ui.msgResult;
    GameDocument& doc = m_app.Document;
    const BetList& bets = doc.Bets();
    grid->SetRows(1);
    if (bets.BetCount() == 0) {
        grid->SetHighLight(GridHighLight::Never);
        // An emptied list starts afresh for the game's positions.
        const int16_t bm = game->HeadData.BM;
        if (bets.BM() != bm || bets.BetStep() != 0 || bets.BetLastStep() != 0 || bets.Type() != BetType::Direct)
            doc.ChangeBets([bm](BetList& list) { list.Reset(bm); });
        return;
    }

    CMsg msg;
    {
        const MsgBusyGuard busy(msg, u"正在显示"_s);
        msg.DoEvents();
        grid->SetRedraw(false);
        for (int c = 0; c < grid->Cols(); ++c)
            grid->SetColAlignment(c, Qt::AlignCenter);
        // Every live bet gets a row; its cells read their text from the
        // list when they are shown.
        const std::vector<int32_t> live = bets.LivePositions();
        const int rows = static_cast<int>(live.size());
        grid->SetRows(rows + 1);
        // The number columns in the game's colours.
        std::vector<std::pair<int, QColor>> colours;
        const std::vector<ResultColumn> columns = ResultGridColumns(game->HeadData);
        for (int c = 0; c < grid->Cols() && c < static_cast<int>(columns.size()); ++c) {
            if (const std::optional<int32_t> rgb = columns[static_cast<size_t>(c)].RowColour)
                colours.emplace_back(c, ToQColor(*rgb));
        }
        for (int r = 1; r <= rows; ++r) {
            grid->SetRowData(r, live[static_cast<size_t>(r - 1)]);
            for (const auto& [c, colour] : colours)
                grid->SetCellForeColor(r, c, colour);
        }
        grid->SetRow(rows);
        grid->SetCol(1);
        grid->SetColSel(grid->Cols() - 1);
        grid->SetRedraw(true);
    }
    grid->SetHighLight(grid->Rows() > 1 ? GridHighLight::Always : GridHighLight::Never);
}

// ---------------------------------------------------------------------------
// Editing, adding, copying

void fFilter::ViewFilterSel()
{
    const std::shared_ptr<CLottorData> game = Game();
    GameDocument& doc = m_app.Document;
    const BetList& bets = doc.Bets();
    const int row = m_ui.msgResult->Row();
    if (!m_loaded || !game || !BetRowCommandsEnabled(row, bets.BetCount()))
        return;
    const int32_t i = m_ui.msgResult->RowData(row);
    if (i < 0 || i >= bets.BetCount())
        return;
    const std::span<const int16_t> digits = bets.Digits(i);
    std::vector<int16_t> work(digits.begin(), digits.end());
    if (!PickBetNumber(game->HeadData, work))
        return;
    doc.ChangeBets([&](BetList& list) { list.SetDigits(i, work); });
    // The list is shown again; the edited bet stays the current row.
    m_ui.msgResult->SetRow(row);
}

void fFilter::AddFilter()
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!m_loaded || !game)
        return;
    std::vector<int16_t> work(static_cast<size_t>(game->HeadData.BM) + 1, 0);
    if (!PickBetNumber(game->HeadData, work))
        return;
    m_app.Document.ChangeBets([&](BetList& bets) { bets.AddBet(work); });
    MsgBox(this, QMessageBox::Information, u"操作提示"_s, u"已经增加到最后一注！"_s);
}

void fFilter::CopyResultAll()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_app.Document.Bets().CopyText(m_bcMain));
}

// ---------------------------------------------------------------------------
// Steps

void fFilter::ReportStepRefusal(const RemovalOutcome& outcome)
{
    const QString message = StepRefusalMessage(outcome.Result);
    if (!message.isEmpty())
        MsgBox(this, QMessageBox::Information, u"操作提示"_s, message);
}

void fFilter::DelResultSel()
{
    const int row = m_ui.msgResult->Row();
    const int rowSel = m_ui.msgResult->RowSel();
    if (!m_loaded || !DeleteSelectionApplies(row, rowSel))
        return;
    CMsg msg;
    const int32_t first = m_ui.msgResult->RowData(row);
    const int32_t last = m_ui.msgResult->RowData(rowSel);
    const RemovalOutcome outcome = m_app.Document.ChangeBets(
        [&](BetList& bets) { return kelton::DelResultSel(bets, first, last, msg, AskToStop(this)); });
    ReportStepRefusal(outcome);
}

void fFilter::DelResultAll()
{
    GameDocument& doc = m_app.Document;
    if (!m_loaded || doc.Bets().BetCount() < 1)
        return;
    CMsg msg;
    const RemovalOutcome outcome = doc.ChangeBets([&](BetList& bets) { return kelton::DelResultAll(bets, msg); });
    ReportStepRefusal(outcome);
}

void fFilter::tbrResult_ButtonClick(const QString& sKey)
{
    if (!m_loaded)
        return;
    const QScopedValueRollback busy(m_isBusy, true);
    GameDocument& doc = m_app.Document;
    if (sKey == QLatin1String("Prev")) {
        doc.ChangeBets([](BetList& bets) { bets.Undo(); });
    } else if (sKey == QLatin1String("Next")) {
        doc.ChangeBets([](BetList& bets) { bets.Redo(); });
    } else if (sKey == QLatin1String("Refresh")) {
        doc.ChangeBets([](BetList& bets) { bets.Compact(); });
    }
}

// ---------------------------------------------------------------------------
// The popup and its keys

void fFilter::MakeResultShortcuts()
{
    const IWindowHost* host = Service<IWindowHost>();
    if (!host)
        return;
    for (const MainCommand command : kKeyedEntries) {
        const QAction* entry = host->Entry(command);
        if (!entry || entry->shortcut().isEmpty())
            continue;
        auto* key = new QShortcut(entry->shortcut(), m_ui.msgResult);
        const std::string_view name = MainCommandName(command);
        key->setObjectName(u"key_"_s + QLatin1StringView(name.data(), static_cast<qsizetype>(name.size())));
        key->setContext(Qt::WidgetWithChildrenShortcut);
        connect(key, &QShortcut::activated, this, [this, command] { RunPopupEntry(command); });
    }
}

void fFilter::EnableBetRowEntries()
{
    const IWindowHost* host = Service<IWindowHost>();
    if (!host)
        return;
    const bool onBet = BetRowCommandsEnabled(m_ui.msgResult->Row(), m_app.Document.Bets().BetCount());
    for (const MainCommand command : {MainCommand::FilterDelect, MainCommand::FilterView}) {
        if (QAction* entry = host->Entry(command))
            entry->setEnabled(onBet);
    }
    // The batch replace needs its dialog too.
    if (QAction* entry = host->Entry(MainCommand::FilterReplace))
        entry->setEnabled(onBet && static_cast<bool>(m_windows.MrReplace));
}

void fFilter::RunPopupEntry(MainCommand command)
{
    const IWindowHost* host = Service<IWindowHost>();
    if (!host)
        return;
    EnableBetRowEntries();
    QAction* entry = host->Entry(command);
    if (entry && entry->isEnabled() && entry->isVisible())
        entry->trigger();
}

void fFilter::msgResult_MouseUp(Qt::MouseButton button, QPoint pos)
{
    const IWindowHost* host = Service<IWindowHost>();
    if (button != Qt::RightButton || !host)
        return;
    EnableBetRowEntries();
    // The entries act on the row that was current before the click.
    if (QMenu* menu = host->Menu(MainMenu::Filter))
        menu->popup(m_ui.msgResult->mapToGlobal(pos));
}

// ---------------------------------------------------------------------------
// Parts that come with their own windows

void fFilter::cmdPrintFilter_Click()
{
    const auto& preview = m_windows.PrintPreview;
    if (!preview)
        return;
    CMsg msg;
    MsgBusyGuard busy(msg, u"加载打印窗口"_s);
    IWindowHost* host = Service<IWindowHost>();
    preview(host ? host->HostWidget() : nullptr);
}

} // namespace kelton
