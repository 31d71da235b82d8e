#include "otherfilter/ui/other_filter_panel.h"
#include "otherfilter/ui/page_grid_cells.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QDockWidget>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "pickers/ui/pick.h"
#include "data/picker_service.h"
#include "platform/help_pages.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

const std::array<QString, COtherFilterPage::kButtonCount> kButtonCaptions{
    u"增加"_s, u"删除"_s, u"全部删除"_s, u"帮助"_s, u"导入"_s, u"添加导入"_s, u"导出"_s, u"关闭"_s};

// The control names of each page's buttons, tolerance switch and box.
struct PageNames {
    QString Page;
    QString Grid;
    std::array<QString, COtherFilterPage::kButtonCount> Buttons;
    QString ChkErr;
    QString TxtErr;
    std::array<QString, 3> Lists;
};

const PageNames& NamesOf(OtherPage page)
{
    static const std::array<PageNames, kOtherPageCount> names{
        PageNames{u"PicOtherMatch"_s,
                  u"msgMatch"_s,
                  {u"cmdMatchAdd"_s, u"cmdMatchDel"_s, u"cmdMatchDelAll"_s, u"cmdMatchHelp"_s, u"cmdMatchOpen"_s,
                   u"CmdMatchOpenAdd"_s, u"cmdMatchSave"_s, u"cmdMatchClose"_s},
                  u"chkMatchErr"_s,
                  u"TxtMatchErr"_s,
                  {}},
        PageNames{u"PicOtherHistory"_s,
                  u"MsgHistory"_s,
                  {u"CmdHistoryAdd"_s, u"CmdHistoryDel"_s, u"CmdHistoryDelAll"_s, u"CmdHistoryHelp"_s,
                   u"CmdHistoryOpen"_s, u"CmdHistoryOpenAdd"_s, u"CmdHistorySave"_s, u"CmdHistoryClose"_s},
                  u"chkHistoryErr"_s,
                  u"TxtHistoryErr"_s,
                  {u"LstHistoryStat"_s, u"LstHistoryIssue"_s, u"LstHistoryType"_s}},
        PageNames{u"PicOtherGather"_s,
                  u"msgGather"_s,
                  {u"CmdGatherAdd"_s, u"CmdGatherDel"_s, u"CmdGatherDelAll"_s, u"CmdGatherHelp"_s,
                   u"CmdGatherOpen"_s, u"CmdGatherOpenAdd"_s, u"CmdGatherSave"_s, u"CmdGatherClose"_s},
                  u"ChkGatherErr"_s,
                  u"TxtGatherErr"_s,
                  {u"LstGatherStat"_s, u"LstGatherPos"_s, u"LstGatherBall"_s}},
    };
    return names[static_cast<size_t>(page)];
}

int Px(double twips, const QWidget* on) { return TwipsToScreenPixels(twips, on); }

// The title of the column a pick list serves.
QString traitsTitleOfList(OtherPage page, int list)
{
    for (const PageColumn& column : OtherPageTraits(page).Columns) {
        if (column.Kind == PageCellKind::PickList && column.PickList == list)
            return column.Title;
    }
    return QString();
}

} // namespace

// ---------------------------------------------------------------------------
// A page

COtherFilterPage::COtherFilterPage(OtherPage page, const AppState& app, QWidget* parent)
    : QWidget(parent)
    , m_page(page)
    , m_app(app)
{
    const PageNames& names = NamesOf(page);
    setObjectName(names.Page);
    setAutoFillBackground(true);

    m_grid = new CFlexGrid(this);
    m_grid->setObjectName(names.Grid);
    m_grid->setAccessibleName(OtherPageTraits(page).Caption);
    m_grid->SetFixedRows(0);
    m_grid->SetFixedCols(0);
    CFlexGridPageCells cells(*m_grid);
    ResetPageGrid(cells, page);
    connect(m_grid, &CFlexGrid::Click, this, &COtherFilterPage::Grid_Click);
    // A cell that holds an entry's index shows the entry, the item's name.
    m_grid->SetShownText([this](int row, int col, const QString& text) {
        const std::vector<PageColumn>& columns = OtherPageTraits(m_page).Columns;
        if (row < 1 || col < 0 || static_cast<size_t>(col) >= columns.size())
            return text;
        const PageColumn& column = columns[static_cast<size_t>(col)];
        if (column.PickList < 0)
            return text;
        return PickListShown(column, m_listEntries[static_cast<size_t>(column.PickList)], text);
    });
    connect(m_grid, &CFlexGrid::DblClick, this, &COtherFilterPage::Grid_DblClick);

    for (int b = 0; b < kButtonCount; ++b) {
        auto* button = new QPushButton(kButtonCaptions[static_cast<size_t>(b)], this);
        button->setObjectName(names.Buttons[static_cast<size_t>(b)]);
        m_cmd[static_cast<size_t>(b)] = button;
    }
    connect(Cmd(Add), &QPushButton::clicked, this, &COtherFilterPage::CmdAdd_Click);
    connect(Cmd(Del), &QPushButton::clicked, this, &COtherFilterPage::CmdDel_Click);
    connect(Cmd(DelAll), &QPushButton::clicked, this, &COtherFilterPage::CmdDelAll_Click);
    connect(Cmd(Help), &QPushButton::clicked, this, &COtherFilterPage::CmdHelp_Click);
    connect(Cmd(Open), &QPushButton::clicked, this, [this] { Q_EMIT OpenRequested(false); });
    connect(Cmd(OpenAdd), &QPushButton::clicked, this, [this] { Q_EMIT OpenRequested(true); });
    connect(Cmd(Save), &QPushButton::clicked, this, [this] { Q_EMIT SaveRequested(); });
    connect(Cmd(Close), &QPushButton::clicked, this, [this] { Q_EMIT CloseRequested(); });

    m_chkErr = new QCheckBox(u"容错"_s, this);
    m_chkErr->setObjectName(names.ChkErr);
    connect(m_chkErr, &QCheckBox::clicked, this, &COtherFilterPage::ChkErr_Click);
    m_txtErr = new QLineEdit(this);
    m_txtErr->setObjectName(names.TxtErr);
    m_txtErr->setAccessibleName(u"容错值"_s);
    m_txtErr->setEnabled(false);
    m_txtErr->installEventFilter(this);

    for (int l = 0; l < 3; ++l) {
        if (names.Lists[static_cast<size_t>(l)].isEmpty())
            continue;
        // A drop-down list: a popup over the grid, the panel and its edges,
        // that closes when the user clicks elsewhere.
        auto* list = new QListWidget(this);
        list->setWindowFlags(Qt::Popup);
        list->setObjectName(names.Lists[static_cast<size_t>(l)]);
        list->setAccessibleName(traitsTitleOfList(page, l));
        list->hide();
        list->installEventFilter(this);
        connect(list, &QListWidget::itemClicked, this, [this, l] { PickList_Click(l); });
        connect(list, &QListWidget::itemActivated, this, [this, l] { PickList_Click(l); });
        m_lists[static_cast<size_t>(l)] = list;
    }
    hide();
}

void COtherFilterPage::SetPickLists(const std::array<QStringList, 3>& lists)
{
    m_listEntries = lists;
    for (size_t l = 0; l < m_lists.size(); ++l) {
        if (!m_lists[l])
            continue;
        m_lists[l]->clear();
        m_lists[l]->addItems(lists[l]);
    }
    FitColumns();
}

void COtherFilterPage::Pull()
{
    CFlexGridPageCells cells(*m_grid);
    m_grid->SetRedraw(false);
    ResetPageGrid(cells, m_page);
    LayOut();
    PaintHeader();
    PageTolerance tolerance;
    if (const std::shared_ptr<CLottorData> game = m_app.CurLottorData) {
        tolerance = PullPage(cells, m_page, *game);
        PaintHeader();
    }
    m_txtErr->setText(tolerance.Values);
    m_chkErr->setChecked(tolerance.On);
    ChkErr_Click();
    FitColumns();
    ApplyHighlight();
    m_grid->SetRedraw(true);
}

void COtherFilterPage::Push()
{
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    if (!m_open || !game)
        return;
    CMsg msg;
    const MsgBusyGuard busy(msg);
    CFlexGridPageCells cells(*m_grid);
    PushPage(cells, m_page, {m_chkErr->isChecked(), m_txtErr->text()}, *game);
}

void COtherFilterPage::ApplyHighlight()
{
    m_grid->SetHighLight(PageHighlight(CFlexGridPageCells(*m_grid)) ? GridHighLight::Always : GridHighLight::Never);
}

void COtherFilterPage::PaintHeader()
{
    const QColor back = palette().color(QPalette::Window);
    for (int c = 0; c < m_grid->Cols(); ++c)
        m_grid->SetCellBackColor(0, c, back);
}

void COtherFilterPage::LayOut()
{
    const int widthTwips = static_cast<int>(ScreenPixelsToTwips(width(), this));
    const int heightTwips = static_cast<int>(ScreenPixelsToTwips(height(), this));
    const PageLayout layout = OtherPageLayout(widthTwips, heightTwips);
    SetTwipsGeometry(m_grid, layout.Grid);
    for (size_t b = 0; b < m_cmd.size(); ++b)
        SetTwipsGeometry(m_cmd[b], layout.Buttons[b]);
    SetTwipsGeometry(m_chkErr, layout.ErrCheck);
    SetTwipsGeometry(m_txtErr, layout.ErrValues);
    m_txtErr->raise();
    FitColumns();
}

void COtherFilterPage::FitColumns()
{
    // Each column as wide as its title and the texts it shows need (a
    // pick-list column: its widest entry too), the computed column taking
    // the rest of the grid; the grid scrolls sideways where they are wider.
    const PageTraits& traits = OtherPageTraits(m_page);
    std::vector<int> needed(traits.Columns.size(), 0);
    for (size_t c = 0; c < needed.size() && static_cast<int>(c) < m_grid->Cols(); ++c) {
        const int col = static_cast<int>(c);
        needed[c] = m_grid->TextTwips(traits.Columns[c].Title);
        for (int row = 1; row < m_grid->Rows(); ++row)
            needed[c] = std::max(needed[c], m_grid->TextTwips(m_grid->ShownTextOf(row, col)));
        const int list = traits.Columns[c].PickList;
        if (list >= 0) {
            for (const QString& entry : m_listEntries[static_cast<size_t>(list)])
                needed[c] = std::max(needed[c], m_grid->TextTwips(PickListShown(traits.Columns[c],
                                                                                m_listEntries[static_cast<size_t>(list)],
                                                                                entry)));
        }
    }
    const int gridTwips = static_cast<int>(ScreenPixelsToTwips(m_grid->width(), this));
    const std::vector<int> widths = PageColumnWidths(m_page, gridTwips, needed);
    for (size_t c = 0; c < widths.size() && static_cast<int>(c) < m_grid->Cols(); ++c) {
        const int col = static_cast<int>(c);
        m_grid->SetColWidth(col, widths[c]);
        m_grid->SetColAlignment(col, traits.Columns[c].AlignLeft ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    }
}

void COtherFilterPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

bool COtherFilterPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtErr && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        TxtErr_Click();
    } else if (event->type() == QEvent::FocusOut) {
        for (QListWidget* list : m_lists) {
            if (list && watched == list)
                list->hide();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void COtherFilterPage::Grid_Click()
{
    CFlexGridPageCells cells(*m_grid);
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    switch (ClickPageCell(cells, m_page, row, col)) {
    case PageClick::None:
    case PageClick::Toggled:
        return;
    case PageClick::OpenList:
        OpenList(col);
        return;
    case PageClick::OpenPicker:
        break;
    }
    const PageColumn& column = OtherPageTraits(m_page).Columns[static_cast<size_t>(col)];
    QString text = m_grid->TextMatrix(row, col);
    if (column.Kind == PageCellKind::NumberList) {
        if (game && PickNumberList(game->HeadData, text)) {
            m_grid->SetTextMatrix(row, col, text);
            FitColumns();
        }
        return;
    }
    const int16_t bcMain = game ? game->HeadData.BcMain : 0;
    const int16_t bcDataLen = game ? game->HeadData.BcDataLen : 0;
    m_grid->SetTextMatrix(row, col, ShowSelVal(text, 0, ValueSetMax(column, bcMain, bcDataLen), QString(), QString()));
    FitColumns();
}

void COtherFilterPage::Grid_DblClick()
{
    CFlexGridPageCells cells(*m_grid);
    FlipMarkColumn(cells, m_page, m_grid->Row(), m_grid->Col());
}

void COtherFilterPage::OpenList(int col)
{
    const PageColumn& column = OtherPageTraits(m_page).Columns[static_cast<size_t>(col)];
    QListWidget* list = column.PickList >= 0 ? m_lists[static_cast<size_t>(column.PickList)] : nullptr;
    if (!list)
        return;
    const std::shared_ptr<CLottorData> game = m_app.CurLottorData;
    const QStringList& entries = m_listEntries[static_cast<size_t>(column.PickList)];
    const int entry = PickListEntry(column, entries, m_grid->Text(), game ? game->HeadData.BcDataLen : 0);

    // Under the cell, as wide as the cell (or the column's least width)
    // and at least as its widest entry, ten rows at most; kept on the
    // screen, above the cell where there is no room below it.
    const QRect cell = m_grid->CellRect();
    const int rows = std::min(static_cast<int>(entries.size()), 10);
    const int rowHeight = list->sizeHintForRow(0) > 0 ? list->sizeHintForRow(0) : fontMetrics().height() + 2;
    const int frame = 2 * list->frameWidth();
    const int bar = entries.size() > rows ? list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list) : 0;
    const int width = std::max({cell.width(), Px(column.PickMinWidth, this), list->sizeHintForColumn(0) + frame + bar});
    const int height = rows * rowHeight + frame;
    QPoint at = m_grid->mapToGlobal(cell.bottomLeft() + QPoint(0, 1));
    if (const QScreen* screen = m_grid->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + height > room.bottom() + 1)
            at.setY(m_grid->mapToGlobal(cell.topLeft()).y() - height);
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - width)));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - height)));
    }
    list->setGeometry(QRect(at, QSize(width, height)));
    list->setCurrentRow(entry);
    list->scrollToItem(list->currentItem());
    m_listCol = col;
    list->show();
    list->raise();
    list->setFocus();
}

void COtherFilterPage::PickList_Click(int index)
{
    QListWidget* list = m_lists[static_cast<size_t>(index)];
    if (!list || !list->isVisible())
        return;
    const int row = m_grid->Row();
    if (m_listCol > 0 && row > 0 && list->currentRow() >= 0) {
        const PageColumn& column = OtherPageTraits(m_page).Columns[static_cast<size_t>(m_listCol)];
        m_grid->SetTextMatrix(row, m_listCol,
                              PickListText(column, m_listEntries[static_cast<size_t>(index)], list->currentRow()));
        FitColumns();
    }
    list->hide();
}

void COtherFilterPage::CmdAdd_Click()
{
    CFlexGridPageCells cells(*m_grid);
    if (!AddPageRow(cells, m_page))
        MsgBox(this, QMessageBox::Information, QString::fromUtf16(kOtherFileMessageTitle),
               QString::fromUtf16(kOtherPageFull));
    FitColumns();
    ApplyHighlight();
}

void COtherFilterPage::CmdDel_Click()
{
    CFlexGridPageCells cells(*m_grid);
    DeletePageRow(cells);
    ApplyHighlight();
}

void COtherFilterPage::CmdDelAll_Click()
{
    if (MsgBox(this, QMessageBox::Question, u"系统提示！"_s, OtherPageTraits(m_page).DeleteAllQuestion,
               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok)
        m_grid->SetRows(1);
    ApplyHighlight();
}

void COtherFilterPage::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), OtherPageTraits(m_page).HelpTopic);
}

void COtherFilterPage::ChkErr_Click()
{
    m_txtErr->setEnabled(m_chkErr->isChecked());
}

void COtherFilterPage::TxtErr_Click()
{
    if (m_grid->Rows() < 2)
        return;
    m_txtErr->setText(ShowSelVal(m_txtErr->text(), 0, static_cast<int16_t>(std::min(m_grid->Rows() - 1, 32767)),
                                 QString(), QString()));
}

// ---------------------------------------------------------------------------
// The panel

PicOtherFilter::PicOtherFilter(const AppState& app, QWidget* parent)
    : QWidget(parent), m_app(app)
{
    setObjectName(u"PicOtherFilter"_s);

    for (const OtherPage page : kOtherPages) {
        auto* widget = new COtherFilterPage(page, m_app, this);
        m_pages[static_cast<size_t>(page)] = widget;
        connect(widget, &COtherFilterPage::CloseRequested, this, [this, page] { ClosePage(page); });
        connect(widget, &COtherFilterPage::OpenRequested, this, [this, page](bool append) { OpenFile(page, append); });
        connect(widget, &COtherFilterPage::SaveRequested, this, [this, page] { SaveFile(page); });
    }

    m_header = new QWidget(this);
    m_header->setObjectName(u"PicOtherFilterHeader"_s);
    m_lblCaption = new QLabel(m_header);
    m_lblCaption->setObjectName(u"LblOtherFilterCaption"_s);
    m_cmdClose = new QPushButton(u"╳"_s, m_header);
    m_cmdClose->setObjectName(u"CmdOtherFilterClose"_s);
    m_cmdClose->setAccessibleName(u"关闭"_s);
    connect(m_cmdClose, &QPushButton::clicked, this, &PicOtherFilter::CmdOtherFilterClose_Click);

    m_splitter = new QWidget(this);
    m_splitter->setObjectName(u"PicOtherFilterSize"_s);
    m_splitter->setAccessibleName(u"调整宽度"_s);
    m_splitter->setCursor(Qt::SizeHorCursor);
    m_splitter->setMouseTracking(true);
    m_splitter->installEventFilter(this);

    setMinimumWidth(Px(MinimumWidthTwips(), this));
    SetWidthTwips(kPanelInitialWidth);
    QWidget::setVisible(false);
}

void PicOtherFilter::setVisible(bool visible)
{
    const bool showing = visible && !isVisible();
    QWidget::setVisible(visible);
    if (auto* dock = qobject_cast<QDockWidget*>(parentWidget()))
        dock->setVisible(visible);
    // Shown again, it takes the width it had.
    if (showing)
        SetWidthTwips(m_widthTwips);
}

void PicOtherFilter::SetWidthTwips(int twips)
{
    m_widthTwips = twips;
    const int pixels = Px(twips, this);
    // Docked, the main window sizes the dock; the user may drag its edge
    // as well as the splitter.
    auto* dock = qobject_cast<QDockWidget*>(parentWidget());
    auto* main = dock ? qobject_cast<QMainWindow*>(dock->parentWidget()) : nullptr;
    if (main && dock->isVisible()) {
        main->resizeDocks({dock}, {pixels}, Qt::Horizontal);
        if (QLayout* layout = main->layout())
            layout->activate();
    } else {
        resize(pixels, height());
    }
}

int PicOtherFilter::MinimumWidthTwips() const
{
    // The page's widest row: the value box, and the help and close buttons
    // where the page is narrow.
    return kPageLeft + 3975;
}

void PicOtherFilter::FillPickLists(const OtherFilterPickLists& lists)
{
    Page(OtherPage::History)->SetPickLists({lists.HistoryStat, lists.HistoryIssue, lists.HistoryType});
    Page(OtherPage::Gather)->SetPickLists({lists.GatherStat, lists.GatherPos, lists.GatherBall});
}

void PicOtherFilter::UpDateOtherFilter()
{
    for (const OtherPage page : kOtherPages)
        UpDateFilter(page);
}

void PicOtherFilter::CmdOtherFilterClose_Click()
{
    UpDateOtherFilter();
    for (COtherFilterPage* page : m_pages) {
        page->hide();
        page->SetOpen(false);
    }
    hide();
}

void PicOtherFilter::ShowPage(OtherPage page)
{
    // One page at a time: another open page is stored and closed first.
    for (const OtherPage other : kOtherPages) {
        if (other != page && Page(other)->IsOpen()) {
            UpDateFilter(other);
            Page(other)->hide();
            Page(other)->SetOpen(false);
        }
    }
    COtherFilterPage* shown = Page(page);
    {
        CMsg msg;
    const MsgBusyGuard busy(msg);
        m_lblCaption->setText(OtherPageTraits(page).Caption);
        m_lblCaption->adjustSize();
        shown->Pull();
        shown->SetOpen(true);
        shown->show();
        shown->raise();
        show();
    }
}

void PicOtherFilter::ClosePage(OtherPage page)
{
    UpDateFilter(page);
    hide();
    Page(page)->hide();
    Page(page)->SetOpen(false);
}

void PicOtherFilter::Splitter_MouseMove(Qt::MouseButtons buttons, int x)
{
    if (buttons != Qt::LeftButton)
        return;
    const int mainWidth = static_cast<int>(ScreenPixelsToTwips(window()->width(), this));
    const int xTwips = static_cast<int>(ScreenPixelsToTwips(x, this));
    const int width = SplitterDragWidth(m_widthTwips, xTwips, mainWidth);
    if (width != m_widthTwips)
        SetWidthTwips(width);
}

bool PicOtherFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_splitter && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        Splitter_MouseMove(move->buttons(), static_cast<int>(move->position().x()));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PicOtherFilter::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int widthTwips = static_cast<int>(std::lround(ScreenPixelsToTwips(width(), this)));
    const int heightTwips = static_cast<int>(ScreenPixelsToTwips(height(), this));
    // The width the user gave it (by the splitter or the dock's edge) is
    // the width it keeps.
    if (isVisible() && std::abs(Px(m_widthTwips, this) - width()) > 0)
        m_widthTwips = widthTwips;
    const int captionTwips =
        static_cast<int>(std::ceil(ScreenPixelsToTwips(m_lblCaption->sizeHint().height(), this))) + 2 * kCaptionTop;
    const PanelLayout layout = OtherPanelLayout(widthTwips, heightTwips, captionTwips);
    SetTwipsGeometry(m_splitter, layout.Splitter);
    SetTwipsGeometry(m_header, layout.Header);
    SetTwipsGeometry(m_cmdClose, layout.CloseButton);
    m_lblCaption->move(Px(kCaptionLeft, this), Px(kCaptionTop, this));
    m_lblCaption->adjustSize();
    for (COtherFilterPage* page : m_pages)
        SetTwipsGeometry(page, layout.Page);
    m_splitter->raise();
}

void InstallOtherFilterWindows(ShellWindows& windows, const AppState& app)
{
    windows.OtherFilterPanel = [&app](QWidget* parent) -> IOtherFilterPanel* { return new PicOtherFilter(app, parent); };
}

} // namespace kelton
