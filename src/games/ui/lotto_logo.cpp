#include "games/ui/lotto_logo.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "data/app_state.h"
#include "data/first_start.h"
#include "data/lotto_items.h"
#include "data/lottor_data.h"
#include "data/setting_record.h"
#include "data/text_helpers.h"
#include "games/game_list.h"
#include "games/ui/lotto_reg.h"
#include "platform/help_pages.h"
#include "platform/string_table.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/message_box.h"
#include "platform/ui/modal_dialog.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

QIcon StandardIcon(QStyle::StandardPixmap which)
{
    return QApplication::style()->standardIcon(which);
}

} // namespace

FLottoLogo::FLottoLogo(CLottoItem& items, SettingRecordType& record, const QString& sLoadedFile,
                       QWidget* parent)
    : QDialog(parent), m_items(items), m_record(record), m_loadedFile(sLoadedFile)
{
    setObjectName(QStringLiteral("FLottoLogo"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(u"选择彩票类型"_s);

    m_tvwLotto = new QTreeWidget(this);
    m_tvwLotto->setObjectName(QStringLiteral("tvwLotto"));
    m_tvwLotto->setHeaderHidden(true);
    m_tvwLotto->setRootIsDecorated(false);
    m_tvwLotto->setAccessibleName(u"彩票分组"_s);
    m_tvwLotto->setMinimumWidth(TwipsToScreenPixels(2200, this));
    m_tvwLotto->setIconSize(QSize(16, 16));

    m_rows = new QStandardItemModel(0, 3, this);
    m_rows->setHorizontalHeaderLabels({u"彩票名称"_s, u"目标路径"_s, u"索引"_s});
    m_lvwLotto = new QListView(this);
    m_lvwLotto->setObjectName(QStringLiteral("lvwLotto"));
    m_lvwLotto->setModel(m_rows);
    m_lvwLotto->setModelColumn(kColName);
    m_lvwLotto->setIconSize(QSize(16, 16));
    m_lvwLotto->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvwLotto->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvwLotto->setAccessibleName(u"彩票玩法"_s);
    m_lvwLotto->setMinimumSize(TwipsToScreenPixels(4200, this), TwipsToScreenPixels(3600, this));

    m_txtSearch = new QLineEdit(this);
    m_txtSearch->setObjectName(QStringLiteral("TxtSearch"));
    m_txtSearch->setAccessibleName(u"彩票玩法关键字"_s);
    m_cmdSearch = new QPushButton(u"搜索彩票玩法"_s, this);
    m_cmdSearch->setObjectName(QStringLiteral("CmdSearch"));
    m_cmdSel = new QPushButton(u"选 择"_s, this);
    m_cmdSel->setObjectName(QStringLiteral("cmdSel"));
    m_cmdLottoAdd = new QPushButton(u"增加彩票"_s, this);
    m_cmdLottoAdd->setObjectName(QStringLiteral("CmdLottoAdd"));
    m_cmdLottoDel = new QPushButton(u"删除彩票"_s, this);
    m_cmdLottoDel->setObjectName(QStringLiteral("CmdLottoDel"));
    m_cmdHelp = new QPushButton(u"帮助"_s, this);
    m_cmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    m_chkShow = new QCheckBox(u"启动程序显示此窗口"_s, this);
    m_chkShow->setObjectName(QStringLiteral("chkShow"));
    // Enter chooses the selected game, presses a button that has the focus
    // and searches in the keyword box (keyPressEvent, eventFilter).
    m_cmdSel->setDefault(true);
    m_txtSearch->installEventFilter(this);
    // Where the keyboard is, a frame shows: a selected row looks the same
    // in a list that has the focus and in one that has not.
    for (QAbstractItemView* view : std::initializer_list<QAbstractItemView*>{m_tvwLotto, m_lvwLotto})
        view->setStyleSheet(u"%1 { border: 1px solid palette(mid); padding: 1px; }"
                             " %1:focus { border: 2px solid palette(highlight); padding: 0px; }"_s
                                .arg(QString::fromLatin1(view->metaObject()->className())));

    auto* search = new QHBoxLayout;
    search->addWidget(m_txtSearch, 1);
    search->addWidget(m_cmdSearch);
    auto* commands = new QVBoxLayout;
    commands->addWidget(m_cmdSel);
    commands->addWidget(m_cmdLottoAdd);
    commands->addWidget(m_cmdLottoDel);
    commands->addStretch();
    commands->addWidget(m_cmdHelp);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_tvwLotto, 0, 0, 2, 1);
    layout->addLayout(search, 0, 1);
    layout->addWidget(m_lvwLotto, 1, 1);
    layout->addLayout(commands, 0, 2, 2, 1);
    layout->addWidget(m_chkShow, 2, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    connect(m_tvwLotto, &QTreeWidget::currentItemChanged, this, &FLottoLogo::NodeChanged);
    connect(m_tvwLotto, &QTreeWidget::itemClicked, this, [this] { tvwLotto_NodeClick(); });
    connect(m_lvwLotto, &QListView::doubleClicked, this, [this] {
        if (SelectedRow() >= 0)
            cmdSel_Click();
    });
    connect(m_cmdSearch, &QPushButton::clicked, this, &FLottoLogo::CmdSearch_Click);
    connect(m_cmdSel, &QPushButton::clicked, this, &FLottoLogo::cmdSel_Click);
    connect(m_cmdLottoAdd, &QPushButton::clicked, this, &FLottoLogo::CmdLottoAdd_Click);
    connect(m_cmdLottoDel, &QPushButton::clicked, this, &FLottoLogo::CmdLottoDel_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &FLottoLogo::CmdHelp_Click);

    // The keyboard goes groups, games, keyword, then the commands; it
    // starts on the games, where Enter chooses the default game.
    QWidget::setTabOrder(m_tvwLotto, m_lvwLotto);
    QWidget::setTabOrder(m_lvwLotto, m_txtSearch);
    QWidget::setTabOrder(m_txtSearch, m_cmdSearch);
    QWidget::setTabOrder(m_cmdSearch, m_cmdSel);
    QWidget::setTabOrder(m_cmdSel, m_cmdLottoAdd);
    QWidget::setTabOrder(m_cmdLottoAdd, m_cmdLottoDel);
    QWidget::setTabOrder(m_cmdLottoDel, m_cmdHelp);
    QWidget::setTabOrder(m_cmdHelp, m_chkShow);
    m_lvwLotto->setFocus();

    FillLottoTree();
}

bool FLottoLogo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtSearch && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CmdSearch_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FLottoLogo::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Enter on a button presses it; anywhere else it chooses the selected
    // game, and without one it does nothing.
    if (enter && !qobject_cast<QPushButton*>(focusWidget())) {
        if (SelectedRow() >= 0 && m_cmdSel->isEnabled())
            cmdSel_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

int FLottoLogo::RowCount() const
{
    return m_rows->rowCount();
}

QString FLottoLogo::RowName(int r) const
{
    return m_rows->data(m_rows->index(r, kColName)).toString();
}

QString FLottoLogo::RowPath(int r) const
{
    return m_rows->data(m_rows->index(r, kColPath)).toString();
}

int16_t FLottoLogo::RowIndex(int r) const
{
    bool ok = false;
    const int index = m_rows->data(m_rows->index(r, kColIndex)).toString().toInt(&ok);
    return ok ? static_cast<int16_t>(index) : int16_t(-1);
}

int FLottoLogo::SelectedRow() const
{
    const QModelIndexList selected = m_lvwLotto->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void FLottoLogo::SelectRow(int r)
{
    if (r < 0 || r >= RowCount()) {
        m_lvwLotto->clearSelection();
        return;
    }
    m_lvwLotto->setCurrentIndex(m_rows->index(r, kColName));
}

void FLottoLogo::FillTree()
{
    const QSignalBlocker block(m_tvwLotto);
    m_tvwLotto->clear();
    for (int16_t i = 0; i < m_items.LottoGroupCount(); ++i) {
        auto* node = new QTreeWidgetItem(m_tvwLotto, {m_items.LottoGroupGet(i)});
        node->setIcon(0, StandardIcon(QStyle::SP_DirClosedIcon));
    }
    if (QTreeWidgetItem* first = m_tvwLotto->topLevelItem(0)) {
        m_tvwLotto->setCurrentItem(first);
        first->setIcon(0, StandardIcon(QStyle::SP_DirOpenIcon));
    }
}

void FLottoLogo::FillLottoTree()
{
    FillTree();
    if (m_tvwLotto->topLevelItemCount() > 0)
        tvwLotto_NodeClick();
    int row = -1;
    for (int r = 0; r < RowCount() && row < 0; ++r) {
        if (RowIndex(r) == m_items.SelectItem())
            row = r;
    }
    SelectRow(row);
    m_clickOk = false;
    m_chkShow->setChecked(m_record.ShowChooser() != 0);
}

void FLottoLogo::NodeChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    if (previous)
        previous->setIcon(0, StandardIcon(QStyle::SP_DirClosedIcon));
    if (current)
        current->setIcon(0, StandardIcon(QStyle::SP_DirOpenIcon));
    tvwLotto_NodeClick();
}

void FLottoLogo::FillRows(const std::vector<int16_t>& games)
{
    m_rows->removeRows(0, m_rows->rowCount());
    const QIcon file = StandardIcon(QStyle::SP_FileIcon);
    for (const int16_t i : games) {
        auto* name = new QStandardItem(file, m_items.LottoItemGet(i, CLottoItem::kItemName));
        auto* path = new QStandardItem(m_items.LottoItemGet(i, CLottoItem::kItemPath));
        auto* index = new QStandardItem(QString::number(i));
        m_rows->appendRow({name, path, index});
    }
    EnableRowCommands();
}

void FLottoLogo::EnableRowCommands()
{
    const bool rows = RowCount() > 0;
    m_cmdLottoDel->setEnabled(rows);
    m_cmdSel->setEnabled(rows);
}

void FLottoLogo::tvwLotto_NodeClick()
{
    QTreeWidgetItem* node = m_tvwLotto->currentItem();
    if (!node) {
        m_rows->removeRows(0, m_rows->rowCount());
        return;
    }
    const auto g = static_cast<int16_t>(m_tvwLotto->indexOfTopLevelItem(node));
    FillRows(GamesOfGroup(m_items, g));
}

void FLottoLogo::cmdSel_Click()
{
    const int row = SelectedRow();
    if (row >= 0) {
        m_items.SetSelectItem(RowIndex(row));
        m_clickOk = true;
    }
    accept();
}

void FLottoLogo::CmdLottoAdd_Click()
{
    FLottoReg reg(this);
    ExecModal(reg);
    if (!reg.ClickOk())
        return;

    // Without any group the new game would be listed nowhere: it gets the
    // group of all games that a first start makes.
    if (m_items.LottoGroupCount() == 0 && m_items.LottoGroupAdd(QString::fromUtf8(kAllGamesGroup)))
        FillTree();
    QTreeWidgetItem* node = m_tvwLotto->currentItem();
    const auto g = static_cast<int16_t>(node ? m_tvwLotto->indexOfTopLevelItem(node) : 0);
    const QString title = LoadResString(Res::OperationPrompt);
    if (m_items.LottoAdd(AddedGameGroups(g), reg.LottorName(), reg.LottorPath()))
        MsgBox(this, QMessageBox::Information, title, u"已经增加了新的彩票玩法！"_s);
    else
        MsgBox(this, QMessageBox::Warning, title, u"增加新的彩票玩法失败！"_s);
    tvwLotto_NodeClick();
}

void FLottoLogo::CmdLottoDel_Click()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const QString title = LoadResString(Res::OperationPrompt);
    if (MsgBox(this, QMessageBox::Question, title, u"确定要删除["_s + RowName(row) + u"]彩票玩法吗?"_s,
               QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    const int16_t index = RowIndex(row);
    if (index == m_items.SelectItem()) {
        MsgBox(this, QMessageBox::Information, title, u"当前默认选择的彩票玩法不能删除!"_s);
        return;
    }
    const QString path = RowPath(row);
    const QString loaded = CLottorData::CanonicalDataPath(m_loadedFile);
    if (!loaded.isEmpty() && CLottorData::CanonicalDataPath(path) == loaded) {
        MsgBox(this, QMessageBox::Information, title, u"当前打开的彩票玩法不能删除!"_s);
        return;
    }
    // The list entry goes only once the files are gone: a game whose files
    // stay keeps its entry.
    QString failed;
    if (!CLottorData::DeleteDataFiles(path, &failed)) {
        MsgBox(this, QMessageBox::Warning, title, u"删除失败!\n无法删除文件："_s + failed);
        return;
    }
    if (!m_items.LottoDel(index)) {
        MsgBox(this, QMessageBox::Warning, title, u"删除失败!"_s);
        return;
    }
    m_rows->removeRow(row);
}

void FLottoLogo::CmdSearch_Click()
{
    const QString keyword = TrimBlanks(m_txtSearch->text());
    const QString title = LoadResString(Res::OperationPrompt);
    if (keyword.isEmpty()) {
        MsgBox(this, QMessageBox::Information, title, u"请输入彩票玩法关键字"_s);
        m_txtSearch->setFocus();
        return;
    }
    if (m_items.LottoCount() < 1) {
        MsgBox(this, QMessageBox::Information, title, u"当前没有彩票玩法可供选择"_s);
        return;
    }
    FillRows(SearchGames(m_items, keyword));
}

void FLottoLogo::CmdHelp_Click()
{
    ShowHelpTopic(HelpFolder(), objectName() + QStringLiteral(".htm"));
}

void FLottoLogo::done(int result)
{
    m_record.SetShowChooser(Flag(m_chkShow->isChecked()));
    QDialog::done(result);
}

} // namespace kelton
