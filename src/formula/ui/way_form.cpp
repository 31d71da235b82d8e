#include "formula/ui/way_form.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTextCursor>
#include <QTreeWidget>

#include "chart/ui/qvx_chart.h"
#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/numeric_text.h"
#include "data/text_helpers.h"
#include "formula/game_way_history.h"
#include "formula/way_file.h"
#include "formula/way_help.h"
#include "formula/way_layout.h"
#include "host/ui/shell_windows.h"
#include "platform/string_table.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/message_box.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

constexpr int kGeneralHelp = 1000;
constexpr int kTagRole = Qt::UserRole;
const QString kOperationPrompt = u"操作提示"_s;

// The names a tree node gets edited in: the end of an edit with a new text
// asks the window, which may cancel it.
class LabelEditDelegate : public QStyledItemDelegate {
public:
    using AfterEdit = std::function<bool(const QModelIndex&, const QString&)>;
    LabelEditDelegate(AfterEdit afterEdit, QObject* parent)
        : QStyledItemDelegate(parent), m_afterEdit(std::move(afterEdit))
    {
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        const auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line)
            return;
        const QString text = line->text();
        if (text == index.data(Qt::EditRole).toString())
            return;
        if (m_afterEdit(index, text))
            model->setData(index, text, Qt::EditRole);
    }

private:
    AfterEdit m_afterEdit;
};

// Texts of the model in the editors, whose lines end in a bare LF.
QString EditorText(const QString& text)
{
    return QString(text).replace(u"\r\n"_s, u"\n"_s).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// An offset into a text with CR LF line ends as an offset into its editor
// form.
int32_t EditorOffset(const QString& text, int32_t offset)
{
    offset = std::clamp<int32_t>(offset, 0, static_cast<int32_t>(text.size()));
    return offset - static_cast<int32_t>(QStringView(text).left(offset).count(u"\r\n"_s));
}

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QLabel* MakeLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

FWay::FWay(const AppState& app, QWidget* parent)
    : CChildForm(u"fWay"_s, u"选号杀号公式工具"_s, parent), m_app(app)
{
    BuildControls();
    Form_Load();
}

FWay::~FWay() = default;

void FWay::BuildControls()
{
    m_images[Icon::Closed] = style()->standardIcon(QStyle::SP_DirClosedIcon);
    m_images[Icon::Opened] = style()->standardIcon(QStyle::SP_DirOpenIcon);
    m_images[Icon::File] = style()->standardIcon(QStyle::SP_FileIcon);

    m_chMain = new QvxChart(this);
    m_chMain->setObjectName(u"chMain"_s);
    m_picReSize = new QWidget(this);
    m_picReSize->setObjectName(u"PicReSize"_s);
    QWidget* panel = m_picReSize;

    m_lblWayName = MakeLabel(u"选择公式"_s, "LblWayName", panel);
    m_treWay = new QTreeWidget(panel);
    m_treWay->setObjectName(u"TreWay"_s);
    m_treWay->setAccessibleName(u"选择公式"_s);
    m_treWay->setHeaderHidden(true);
    m_treWay->setColumnCount(1);
    m_treWay->setExpandsOnDoubleClick(false);
    m_treWay->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_treWay->setItemDelegate(new LabelEditDelegate(
        [this](const QModelIndex& index, const QString& text) {
            // A message box takes the focus from the name's editor, which
            // would end the edit a second time.
            if (m_inLabelEdit)
                return false;
            const BusyGuard editing(m_inLabelEdit);
            QTreeWidgetItem* node = m_treWay->itemFromIndex(index);
            return node && TreWay_AfterLabelEdit(node, text);
        },
        m_treWay));
    connect(m_treWay, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { TreWay_NodeClick(node); });
    connect(m_treWay, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { SelectionMoved(node); });
    connect(m_treWay, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
        if (IsGroupNode(node))
            SetIcon(node, Icon::Opened);
    });
    connect(m_treWay, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* node) {
        if (IsGroupNode(node))
            SetIcon(node, Icon::Closed);
    });

    m_lblWayView = MakeLabel(u"公式编辑："_s, "LblWayView", panel);
    m_tabFrame = new QFrame(panel);
    m_tabFrame->setFrameShape(QFrame::StyledPanel);
    m_tabWay = new QTabBar(panel);
    m_tabWay->setObjectName(u"TabWay"_s);
    m_tabWay->addTab(u"选值"_s);
    m_tabWay->addTab(u"参照"_s);
    m_tabWay->setDrawBase(false);
    connect(m_tabWay, &QTabBar::currentChanged, this, [this] { RefreshWayEditor(); });

    m_picWayMsg = MakeLabel(QString(), "picWayMsg", panel);
    m_picWayMsg->setTextFormat(Qt::RichText);
    QFont signatureFont = m_picWayMsg->font();
    signatureFont.setFamilies({u"新宋体"_s, u"NSimSun"_s, u"SimSun"_s});
    m_picWayMsg->setFont(signatureFont);
    m_picWayMsg->hide();

    m_cboConsult = new QComboBox(panel);
    m_cboConsult->setObjectName(u"cboConsult"_s);
    m_cboConsult->setAccessibleName(u"参照"_s);
    connect(m_cboConsult, &QComboBox::activated, this, [this](int index) { cboConsult_Click(index); });

    m_txtWay = new QPlainTextEdit(panel);
    m_txtWay->setObjectName(u"txtWay"_s);
    m_txtWay->setAccessibleName(u"公式编辑"_s);
    m_txtWay->installEventFilter(this);
    connect(m_txtWay, &QPlainTextEdit::textChanged, this, [this] { txtWay_Change(); });

    m_cmdWayAdd = MakeButton(u"新增公式"_s, "CmdWayAdd", panel);
    m_cmdGroupAdd = MakeButton(u"新增类别"_s, "cmdGroupAdd", panel);
    m_cmdChangName = MakeButton(u"改名"_s, "cmdChangName", panel);
    m_cmdDel = MakeButton(u"删除"_s, "cmdDel", panel);
    m_cmdOpen = MakeButton(u"导入"_s, "cmdOpen", panel);
    m_cmdSave = MakeButton(u"导出"_s, "cmdSave", panel);
    // The caption wraps in the narrow button.
    m_cmdView = MakeButton(u"运行\n公式(&R)"_s, "cmdView", panel);
    m_cmdView->setAccessibleName(u"运行公式"_s);
    connect(m_cmdWayAdd, &QPushButton::clicked, this, [this] { CmdWayAdd_Click(); });
    connect(m_cmdGroupAdd, &QPushButton::clicked, this, [this] { cmdGroupAdd_Click(); });
    connect(m_cmdChangName, &QPushButton::clicked, this, [this] { cmdChangName_Click(); });
    connect(m_cmdDel, &QPushButton::clicked, this, [this] { cmdDel_Click(); });
    connect(m_cmdOpen, &QPushButton::clicked, this, [this] { cmdOpen_Click(); });
    connect(m_cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(m_cmdView, &QPushButton::clicked, this, [this] { cmdView_Click(); });

    m_lblStat = MakeLabel(u"统计期数："_s, "LblStat", panel);
    m_cboCount = new QComboBox(panel);
    m_cboCount->setObjectName(u"cboCount"_s);
    m_cboCount->setAccessibleName(u"统计期数"_s);
    m_txtMsg = new QPlainTextEdit(panel);
    m_txtMsg->setObjectName(u"TxtMsg"_s);
    m_txtMsg->setAccessibleName(u"公式说明"_s);
    m_txtMsg->setReadOnly(true);

    // Tab order: tree, editor, run, period count, the tree's commands.
    setTabOrder(m_treWay, m_tabWay);
    setTabOrder(m_tabWay, m_cboConsult);
    setTabOrder(m_cboConsult, m_txtWay);
    setTabOrder(m_txtWay, m_cmdView);
    setTabOrder(m_cmdView, m_cboCount);
    setTabOrder(m_cboCount, m_txtMsg);
    setTabOrder(m_txtMsg, m_cmdWayAdd);
    setTabOrder(m_cmdWayAdd, m_cmdGroupAdd);
    setTabOrder(m_cmdGroupAdd, m_cmdChangName);
    setTabOrder(m_cmdChangName, m_cmdDel);
    setTabOrder(m_cmdDel, m_cmdOpen);
    setTabOrder(m_cmdOpen, m_cmdSave);
}

QSize FWay::sizeHint() const
{
    return {TwipsToScreenPixels(11800, this), TwipsToScreenPixels(8400, this)};
}

std::shared_ptr<CLottorData> FWay::Game() const
{
    return m_app.CurLottorData;
}

void FWay::Form_Load()
{
    const std::shared_ptr<CLottorData> game = Game();
    CMsg msg;
    const MsgBusyGuard busy(msg);
    {
        const BusyGuard filling(m_isBusy);
        const int count = game ? game->NumCount() : 0;
        QStringList periods;
        periods.reserve(count);
        for (int i = 1; i <= count; ++i)
            periods << QString::number(i);
        m_cboCount->addItems(periods);
        m_cboCount->setCurrentIndex(count <= 100 ? count - 1 : 99);
    }
    LoadWayTree();
    m_txtMsg->setPlainText(EditorText(LoadResString(kGeneralHelp)));
    RefreshWayEditor();
}

void FWay::RefreshForm()
{
    const std::shared_ptr<CLottorData> game = Game();
    const int count = game ? game->NumCount() : 0;
    const int chosen = m_cboCount->currentIndex();
    const BusyGuard filling(m_isBusy);
    m_cboCount->clear();
    QStringList periods;
    for (int i = 1; i <= count; ++i)
        periods << QString::number(i);
    m_cboCount->addItems(periods);
    m_cboCount->setCurrentIndex(chosen >= 0 && chosen < count ? chosen : count - 1);
}

void FWay::LoadWayTree()
{
    const BusyGuard filling(m_isBusy);
    const std::shared_ptr<CLottorData> game = Game();
    m_cboConsult->clear();
    m_treWay->clear();
    if (!game)
        return;
    const CLottorHead& head = game->HeadData;
    QStringList captions;
    for (int16_t row = 0; row <= head.BM + 43; ++row)
        captions << head.WayDefConsult(row, 0);
    captions << u"自定义"_s;
    m_cboConsult->addItems(captions);
    m_cboConsult->setCurrentIndex(0);

    for (int16_t g = 0; g < head.WayGroupCount(); ++g) {
        const QString name = head.WayGroupGet(g);
        if (!name.isEmpty())
            AddGroupNode(name, g);
    }
    const int groups = m_treWay->topLevelItemCount();
    if (groups == 0)
        return;
    for (int16_t i = 0; i < head.WayCount(); ++i) {
        const QString group = head.WayGet(i, 0);
        if (group.isEmpty())
            continue;
        const std::optional<int16_t> index = NumberTextToInt16(group);
        QTreeWidgetItem* under = m_treWay->topLevelItem(groups - 1);
        for (int k = 0; k < groups; ++k) {
            if (index && Tag(m_treWay->topLevelItem(k)) == *index) {
                under = m_treWay->topLevelItem(k);
                break;
            }
        }
        AddFormulaNode(under, head.WayGet(i, 1), i);
    }
}

QTreeWidgetItem* FWay::AddGroupNode(const QString& name, int16_t tag)
{
    auto* node = new QTreeWidgetItem(m_treWay, {name});
    node->setData(0, kTagRole, tag);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    SetIcon(node, Icon::Closed);
    return node;
}

QTreeWidgetItem* FWay::AddFormulaNode(QTreeWidgetItem* group, const QString& name, int16_t tag)
{
    auto* node = new QTreeWidgetItem(group, {name});
    node->setData(0, kTagRole, tag);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    SetIcon(node, Icon::File);
    return node;
}

void FWay::SetIcon(QTreeWidgetItem* node, Icon icon)
{
    node->setIcon(0, m_images[icon]);
}

bool FWay::IsGroupNode(const QTreeWidgetItem* node)
{
    return node && !node->parent();
}

int16_t FWay::Tag(const QTreeWidgetItem* node)
{
    bool ok = false;
    const int tag = node ? node->data(0, kTagRole).toInt(&ok) : -1;
    return ok && tag >= INT16_MIN && tag <= INT16_MAX ? static_cast<int16_t>(tag) : int16_t(-1);
}

int16_t FWay::SelectedFormula() const
{
    const QTreeWidgetItem* node = m_treWay->currentItem();
    if (!node || IsGroupNode(node))
        return -1;
    return Tag(node);
}

int FWay::CurrentTab() const
{
    return m_tabWay->currentIndex() == 1 ? 2 : 1;
}

// ---------------------------------------------------------------------------
// Layout

void FWay::resizeEvent(QResizeEvent* event)
{
    CChildForm::resizeEvent(event);
    ApplyLayout();
}

void FWay::ApplyLayout()
{
    const WayLayout l = ComputeWayLayout(static_cast<int32_t>(ScreenPixelsToTwips(width(), this)),
                                         static_cast<int32_t>(ScreenPixelsToTwips(height(), this)));
    SetTwipsGeometry(m_chMain, l.Chart);
    m_chMain->setVisible(l.Chart.height() > 0);
    SetTwipsGeometry(m_picReSize, l.Panel);

    SetTwipsGeometry(m_lblWayName, {0, 0, 3135, 240});
    SetTwipsGeometry(m_treWay, l.Tree);
    SetTwipsGeometry(m_lblWayView, {3300, 0, 3000, 240});
    SetTwipsGeometry(m_tabFrame, l.TabStrip);
    m_tabWay->move(TwipsToScreenPixels(l.TabStrip.x() + 30, this), TwipsToScreenPixels(l.TabStrip.y(), this));
    m_tabWay->resize(m_tabWay->sizeHint());
    SetTwipsGeometry(m_picWayMsg, l.Signature);
    // The list and the editor start below the tabs, however high the tabs
    // are drawn.
    const int tabsBottom =
        static_cast<int>(std::ceil(ScreenPixelsToTwips(m_tabWay->geometry().bottom() + 1, this)));
    const int below = std::max(0, tabsBottom - l.Consult.top());
    SetTwipsGeometry(m_cboConsult, l.Consult.translated(0, below));
    SetTwipsGeometry(m_txtWay, EditorOnTab(l, CurrentTab()).adjusted(0, below, 0, 0));
    SetTwipsGeometry(m_cmdWayAdd, {240, 2880, 1215, 375});
    SetTwipsGeometry(m_cmdGroupAdd, {1680, 2880, 1215, 375});
    SetTwipsGeometry(m_cmdChangName, {120, 3360, 675, 375});
    SetTwipsGeometry(m_cmdDel, {840, 3360, 675, 375});
    SetTwipsGeometry(m_cmdOpen, {1560, 3360, 675, 375});
    SetTwipsGeometry(m_cmdSave, {2280, 3360, 675, 375});
    SetTwipsGeometry(m_cmdView, {3240, 3000, 780, 735}); // the two-line caption needs the width
    SetTwipsGeometry(m_lblStat, {4080, 3000, 900, 255});
    SetTwipsGeometry(m_cboCount, {4080, 3360, 855, 315});
    SetTwipsGeometry(m_txtMsg, l.Message);
    m_tabWay->raise();
    m_picWayMsg->raise();
}

// ---------------------------------------------------------------------------
// Tree

void FWay::SelectionMoved(QTreeWidgetItem* node)
{
    if (m_isBusy)
        return;
    // The editor always shows the selected formula, so that what is typed
    // is stored into the formula the editor shows.
    RefreshWayEditor();
    // A mouse click runs the formula when the button comes up; a selection
    // moved by the keys or by a command runs it now.
    if (QApplication::mouseButtons() != Qt::NoButton)
        return;
    RequestRun(m_treWay->hasFocus() && node);
}

void FWay::TreWay_NodeClick(QTreeWidgetItem* node)
{
    if (!node)
        return;
    if (IsGroupNode(node))
        node->setExpanded(!node->isExpanded());
    RefreshWayEditor();
    RunWay();
}

void FWay::cmdGroupAdd_Click()
{
    const std::shared_ptr<CLottorData> game = Game();
    const QString name = u"新类别"_s;
    if (game && !WayChangeFits(game->HeadData, [&](FormulaStore& ways) { ways.WayGroupAdd(name); })) {
        Message(u"无法增加新类别："_s + WayDefinitionFullText());
        return;
    }
    if (!game || !game->HeadData.WayGroupAdd(name)) {
        Message(u"无法增加新类别!"_s);
        return;
    }
    AddGroupNode(name, static_cast<int16_t>(game->HeadData.WayGroupCount() - 1));
}

void FWay::CmdWayAdd_Click()
{
    if (m_treWay->topLevelItemCount() == 0) {
        Message(u"必须至少有一个类别,请先增加类别"_s);
        return;
    }
    if (!m_treWay->currentItem())
        m_treWay->setCurrentItem(m_treWay->topLevelItem(0));
    QTreeWidgetItem* node = m_treWay->currentItem();
    QTreeWidgetItem* target = IsGroupNode(node) ? node : node ? node->parent() : nullptr;
    const int16_t group = Tag(target);
    const std::shared_ptr<CLottorData> game = Game();
    const QString name = u"无标题公式"_s;
    if (game && !WayChangeFits(game->HeadData, [&](FormulaStore& ways) {
            ways.WayAdd(group, name, QString(), 0, QString());
        })) {
        Message(u"无法增加新公式："_s + WayDefinitionFullText());
        return;
    }
    if (game && target && group >= 0 && group < game->HeadData.WayGroupCount() &&
        game->HeadData.WayAdd(group, name, QString(), 0, QString())) {
        AddFormulaNode(target, name, static_cast<int16_t>(game->HeadData.WayCount() - 1));
        return;
    }
    Message(u"无法增加新公式!"_s);
}

void FWay::cmdChangName_Click()
{
    if (QTreeWidgetItem* node = m_treWay->currentItem())
        m_treWay->editItem(node);
}

bool FWay::TreWay_AfterLabelEdit(QTreeWidgetItem* node, const QString& newText)
{
    if (TrimBlanks(newText).isEmpty()) {
        Message(u"不能为空!"_s);
        return false;
    }
    const std::shared_ptr<CLottorData> game = Game();
    const int16_t tag = Tag(node);
    if (game && tag >= 0) {
        CLottorHead& head = game->HeadData;
        const bool fits = IsGroupNode(node)
                              ? WayChangeFits(head, [&](FormulaStore& ways) { ways.WayGroupSet(tag, newText); })
                              : WayEditFits(head, tag, 1, newText);
        if (!fits) {
            Message(u"无法修改名称："_s + WayDefinitionFullText());
            return false;
        }
        if (IsGroupNode(node) && tag < head.WayGroupCount()) {
            head.WayGroupSet(tag, newText);
            return true;
        }
        if (!IsGroupNode(node) && tag < head.WayCount()) {
            head.WaySet(tag, 1, newText);
            return true;
        }
    }
    Message(u"无法修改名称!"_s);
    return false;
}

void FWay::cmdDel_Click()
{
    QTreeWidgetItem* node = m_treWay->currentItem();
    if (!node) {
        Message(u"没有选择要删除的任何公式和类别"_s);
        return;
    }
    if (node->childCount() > 0) {
        Message(u"该类别下还有公式,不能删除该项!"_s);
        return;
    }
    const std::shared_ptr<CLottorData> game = Game();
    const int16_t tag = Tag(node);
    const bool deleted =
        game && (IsGroupNode(node) ? game->HeadData.WayGroupDel(tag) : game->HeadData.WayDel(tag));
    if (!deleted) {
        Message(u"无法删除!"_s);
        return;
    }
    QTreeWidgetItem* parent = node->parent();
    const int at = parent ? parent->indexOfChild(node) : m_treWay->indexOfTopLevelItem(node);
    const auto sibling = [&](int i) -> QTreeWidgetItem* {
        return parent ? parent->child(i) : m_treWay->topLevelItem(i);
    };
    QTreeWidgetItem* next = at > 0 ? sibling(at - 1) : sibling(at + 1);
    if (!next)
        next = parent;
    // The selection moves first, refreshing the editor and running the
    // formula it lands on; then the node goes.
    m_treWay->setCurrentItem(next);
    delete node;
}

// ---------------------------------------------------------------------------
// Editor and help

void FWay::RefreshWayEditor()
{
    const BusyGuard filling(m_isBusy);
    const int tab = CurrentTab();
    m_cboConsult->setVisible(tab == 2);
    ApplyLayout();
    const std::shared_ptr<CLottorData> game = Game();
    const int16_t formula = SelectedFormula();
    if (!game || formula < 0) {
        m_txtWay->clear();
        m_txtWay->setEnabled(false);
        m_cboConsult->setEnabled(false);
        m_cmdView->setEnabled(false);
        return;
    }
    const CLottorHead& head = game->HeadData;
    if (tab == 1) {
        SetEditorText(head.WayGet(formula, 2));
        m_txtWay->setEnabled(true);
        m_cmdView->setEnabled(true);
        return;
    }
    const std::optional<int16_t> consult = NumberTextToInt16(head.WayGet(formula, 3));
    m_cboConsult->setCurrentIndex(consult && *consult < m_cboConsult->count() ? *consult : -1);
    SetEditorText(head.WayGet(formula, 4));
    m_cboConsult->setEnabled(true);
    m_cmdView->setEnabled(true);
    const int entries = m_cboConsult->count();
    m_txtWay->setEnabled(entries > 0 && m_cboConsult->currentIndex() == entries - 1);
}

void FWay::cboConsult_Click(int index)
{
    if (m_isBusy)
        return;
    const BusyGuard choosing(m_isBusy);
    const std::shared_ptr<CLottorData> game = Game();
    const int16_t formula = SelectedFormula();
    if (game && formula >= 0)
        game->HeadData.WaySet(formula, 3, QString::number(index));
    RefreshWayEditor();
}

void FWay::txtWay_Change()
{
    if (m_isBusy)
        return;
    const QString text = m_txtWay->toPlainText();
    const std::shared_ptr<CLottorData> game = Game();
    const int16_t formula = SelectedFormula();
    if (game && formula >= 0) {
        CLottorHead& head = game->HeadData;
        const int16_t kind = CurrentTab() == 1 ? 2 : 4;
        if (!WayEditFits(head, formula, kind, text)) {
            // Refused: the editor goes back to what is stored, and says why.
            const int caret = m_txtWay->textCursor().position();
            {
                const BusyGuard restoring(m_isBusy);
                SetEditorText(head.WayGet(formula, kind));
            }
            QTextCursor cursor = m_txtWay->textCursor();
            cursor.setPosition(std::clamp(caret, 0, m_txtWay->document()->characterCount() - 1));
            m_txtWay->setTextCursor(cursor);
            m_picWayMsg->hide();
            m_txtMsg->setPlainText(u"公式太长，这次修改没有保存：修改后"_s + WayDefinitionFullText());
            return;
        }
        head.WaySet(formula, kind, text);
    }
    ShowHelp(WayHelpAt(m_way, QStringView(text).left(m_txtWay->textCursor().selectionStart())));
}

bool FWay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtWay && event->type() == QEvent::KeyRelease) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            txtWay_Change();
            break;
        default:
            break;
        }
    }
    return CChildForm::eventFilter(watched, event);
}

void FWay::ShowHelp(const WayHelp& help)
{
    switch (help.What) {
    case WayHelp::Kind::General:
        m_txtMsg->setPlainText(EditorText(LoadResString(kGeneralHelp)));
        m_picWayMsg->hide();
        return;
    case WayHelp::Kind::Text:
        m_txtMsg->setPlainText(EditorText(help.Text));
        return;
    case WayHelp::Kind::Signature: {
        const QString& s = help.Signature;
        m_picWayMsg->setText(s.left(help.BoldStart).toHtmlEscaped() + u"<b>"_s +
                             s.mid(help.BoldStart, help.BoldLength).toHtmlEscaped() + u"</b>"_s +
                             s.mid(help.BoldStart + help.BoldLength).toHtmlEscaped());
        m_picWayMsg->setAccessibleName(s);
        m_picWayMsg->show();
        m_txtMsg->setPlainText(EditorText(help.Text));
        return;
    }
    case WayHelp::Kind::Keep:
        return;
    }
}

void FWay::SetEditorText(const QString& text)
{
    m_txtWay->setPlainText(EditorText(text));
}

void FWay::SelectInEditor(const QString& text, int32_t start, int32_t count)
{
    const int32_t from = EditorOffset(text, start - 1);
    const int32_t to = EditorOffset(text, start - 1 + count);
    QTextCursor cursor = m_txtWay->textCursor();
    const int end = m_txtWay->document()->characterCount() - 1;
    cursor.setPosition(std::clamp(from, 0, end));
    cursor.setPosition(std::clamp(to, 0, end), QTextCursor::KeepAnchor);
    m_txtWay->setTextCursor(cursor);
}

void FWay::FocusEditor()
{
    if (m_txtWay->isEnabled() && m_txtWay->isVisible())
        m_txtWay->setFocus();
}

// ---------------------------------------------------------------------------
// Run

void FWay::RunWay()
{
    RequestRun(false);
}

void FWay::RequestRun(bool keepTreeFocus)
{
    m_keepTreeFocus = keepTreeFocus;
    if (m_running) {
        // Asked from the event loop of a run that shows its bar: that run
        // stops at its next step and this one follows.
        m_runAgain = true;
        return;
    }
    const BusyGuard running(m_running);
    do {
        m_runAgain = false;
        RunOnce();
    } while (m_runAgain);
}

void FWay::RunOnce()
{
    const std::shared_ptr<CLottorData> game = Game();
    CMsg msg;
    std::optional<MsgBusyGuard> busy;
    busy.emplace(msg, u"检查公式..."_s);

    QString message;
    QString shown;  // the failing formula's text, after a parse error
    int32_t errStart = 0;
    int32_t errCount = 0;
    const int16_t formula = SelectedFormula();
    if (game && formula >= 0) {
        const CLottorHead& head = game->HeadData;
        const QString selection = head.WayGet(formula, 2);
        const QString consult = head.WayGet(formula, 4);
        const WayCheck check = CheckWayTexts(m_way, selection, consult);
        if (check.Failure == WayCheck::Fault::Consult || check.Failure == WayCheck::Fault::Selection) {
            // The editor shows the formula as the user wrote it, its lines
            // kept, with the piece the parser stopped at marked.
            const bool isConsult = check.Failure == WayCheck::Fault::Consult;
            m_tabWay->setCurrentIndex(isConsult ? 1 : 0);
            shown = isConsult ? consult : selection;
            if (m_txtWay->toPlainText() != EditorText(shown)) {
                const BusyGuard showing(m_isBusy);
                SetEditorText(shown);
            }
            message = check.Message;
            errStart = check.TextErrStart;
            errCount = check.TextErrCount;
        } else if (!check.Ok()) {
            message = check.Message;
        } else {
            msg.StartShowMsg(u"运算公式..."_s);
            GameWayHistory history(*game);
            WayRun run = Evaluate(msg, history, check);
            if (run.Cancelled)
                return;  // the results of the run before stay
            if (run.Ok) {
                m_wayResult = std::move(run.Results);
                busy.reset();
                ShowWayHit(formula);
                FocusAfterRun();
                return;
            }
            message = run.Message;
        }
    }

    // No results: the old ones go with the chart.
    m_wayResult = WayResults{};
    ClearChart();
    busy.reset();
    m_txtMsg->setPlainText(EditorText(message));
    FocusAfterRun();
    SelectInEditor(shown, errStart, errCount);
}

WayRun FWay::Evaluate(CMsg& msg, IWayHistory& history, const WayCheck& check)
{
    QElapsedTimer clock;
    clock.start();
    std::optional<MsgProgressGuard> bar;
    const WayRunStep step = [&](int32_t done, int32_t total) {
        if (!bar) {
            if (clock.elapsed() < m_progressDelayMs)
                return true;
            bar.emplace(msg, QString(), total, 0, done, true);
            SetRunControls(true);
        }
        bar->Step(done);
        const bool stop = bar->StopRequested();
        return !stop && !m_runAgain;
    };
    WayRun run = EvaluateWays(m_way, history, check, m_cboCount->currentText(), m_txtMsg->toPlainText(), step);
    if (bar) {
        bar.reset();
        SetRunControls(false);
    }
    return run;
}

void FWay::SetRunControls(bool running)
{
    if (running) {
        if (QMdiSubWindow* sub = SubWindow())
            sub->setEnabled(true);
        setEnabled(true);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_cmdWayAdd, m_cmdGroupAdd, m_cmdChangName, m_cmdDel,
                                                      m_cmdOpen, m_cmdSave, m_cboCount})
        w->setEnabled(!running);
}

void FWay::FocusAfterRun()
{
    if (m_keepTreeFocus)
        m_treWay->setFocus();
    else
        FocusEditor();
}

void FWay::ShowWayHit(int16_t formula)
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game || m_wayResult.Empty())
        return;
    const GameWayHistory history(*game);
    m_chMain->StatData(WayHitTable(m_wayResult, history), 1, -1, game->HeadData.WayGet(formula, 1), -1, 255, 3);
    m_txtMsg->setPlainText(NextIssueSelection(m_wayResult));
}

void FWay::ClearChart()
{
    m_chMain->StatData(ChartData(1, 1));
}

// ---------------------------------------------------------------------------
// Formula files

QString FWay::FileFilter() const
{
    return AppTitle() + u"公式文件(*.way)|*.way|文本文件(*.txt)|*.txt"_s;
}

void FWay::cmdSave_Click()
{
    QTreeWidgetItem* node = m_treWay->currentItem();
    const std::shared_ptr<CLottorData> game = Game();
    if (!node || !game)
        return;
    QTreeWidgetItem* group = IsGroupNode(node) ? node : node->parent();
    const QString path = GetSaveFile(this, u"导出当前类别公式"_s, FileFilter(), group->text(0));
    if (path.isEmpty())
        return;
    CMsg msg;
    msg.DoEvents();
    bool written = false;
    {
        const MsgBusyGuard busy(msg, u"正在导出公式"_s);
        written = WriteWayFile(path, game->HeadData.Ways(), Tag(group));
    }
    if (!written)
        Message(u"导出失败，无法写入文件："_s + path, LoadResString(Res::OperationError));
}

void FWay::cmdOpen_Click()
{
    const QString chosen = GetOpenFile(this, u"导入公式"_s, FileFilter());
    const std::shared_ptr<CLottorData> game = Game();
    if (chosen.isEmpty() || !game)
        return;
    const QString path = TrimBlanks(chosen);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        Message(u"找不到此文件！"_s, kOperationPrompt);
        return;
    }
    CMsg msg;
    std::optional<MsgBusyGuard> busy;
    busy.emplace(msg, u"正在导入公式"_s);
    msg.DoEvents();
    CLottorHead& head = game->HeadData;
    const WayFileRead read = ReadWayFile(path, head.Ways().OwnConsultIndex());
    const WayImport import = ImportWayRecords(head, WayGroupNameOfFile(path), read);
    if (import.Group >= 0) {
        QTreeWidgetItem* group = AddGroupNode(head.WayGroupGet(import.Group), import.Group);
        for (const int16_t row : import.Formulas)
            AddFormulaNode(group, head.WayGet(row, 1), row);
    }
    busy.reset();
    Message(WayImportMessage(read, import), kOperationPrompt);
}

void FWay::Message(const QString& text, const QString& title)
{
    MsgBox(this, QMessageBox::Information, title.isEmpty() ? AppTitle() : title, text);
}

// ---------------------------------------------------------------------------
// Installation

void InstallFormulaWindows(ShellWindows& windows, const AppState& app)
{
    // One window for the loaded game; an unloaded one is made anew. The
    // registry's entry keeps the window (copies of the entry share it).
    windows.WayForm = [&app, form = std::make_shared<QPointer<FWay>>()]() -> IChildForm* {
        if (!*form || !(*form)->FormOpen())
            *form = new FWay(app);
        return form->data();
    };
}

} // namespace kelton
