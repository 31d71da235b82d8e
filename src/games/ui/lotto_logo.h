#pragma once

#include <cstdint>

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QListView;
class QPushButton;
class QStandardItemModel;
class QTreeWidget;
class QTreeWidgetItem;

namespace kelton {

class CLottoItem;
class SettingRecordType;

// The game chooser "选择彩票类型": the groups of the installed games as a
// tree, the games of the chosen group (or of a search) as a list, and the
// commands to choose, add, delete and search games. It works on the game
// list and the settings record it is given; the game loaded at the moment
// (its data file, empty when none) can be neither deleted nor lose its
// files.
class FLottoLogo : public QDialog {
    Q_OBJECT

public:
    // The list's columns: the row's text is the name.
    enum Column { kColName = 0, kColPath = 1, kColIndex = 2 };

    FLottoLogo(CLottoItem& items, SettingRecordType& record, const QString& sLoadedFile,
               QWidget* parent = nullptr);

    QTreeWidget* tvwLotto() const { return m_tvwLotto; }
    QListView* lvwLotto() const { return m_lvwLotto; }
    QLineEdit* TxtSearch() const { return m_txtSearch; }
    QPushButton* CmdSearch() const { return m_cmdSearch; }
    QPushButton* cmdSel() const { return m_cmdSel; }
    QPushButton* CmdLottoAdd() const { return m_cmdLottoAdd; }
    QPushButton* CmdLottoDel() const { return m_cmdLottoDel; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }
    QCheckBox* chkShow() const { return m_chkShow; }

    // True only when the select command took a row; the game list's
    // SelectItem then names the game.
    bool ClickOk() const { return m_clickOk; }

    // The list's rows: name, path and game index of row r.
    int RowCount() const;
    QString RowName(int r) const;
    QString RowPath(int r) const;
    int16_t RowIndex(int r) const;
    // The selected row; -1 when none.
    int SelectedRow() const;
    void SelectRow(int r);

    // Fills the tree and the list, selects the default game, resets
    // ClickOk and shows the start-up flag.
    void FillLottoTree();
    // Lists the games of the selected group.
    void tvwLotto_NodeClick();
    // Takes the selected row as the default game and closes.
    void cmdSel_Click();
    // Creates a game in the new-game dialog and adds it to the list.
    void CmdLottoAdd_Click();
    // Deletes the selected game, its files first, after asking.
    void CmdLottoDel_Click();
    // Lists the games that match the keyword, best first.
    void CmdSearch_Click();
    void CmdHelp_Click();

    // Every close writes the start-up flag into the settings record.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FillTree();
    void FillRows(const std::vector<int16_t>& games);
    void EnableRowCommands();
    void NodeChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);

    CLottoItem& m_items;
    SettingRecordType& m_record;
    QString m_loadedFile;

    QTreeWidget* m_tvwLotto = nullptr;
    QListView* m_lvwLotto = nullptr;
    QStandardItemModel* m_rows = nullptr;
    QLineEdit* m_txtSearch = nullptr;
    QPushButton* m_cmdSearch = nullptr;
    QPushButton* m_cmdSel = nullptr;
    QPushButton* m_cmdLottoAdd = nullptr;
    QPushButton* m_cmdLottoDel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QCheckBox* m_chkShow = nullptr;
    bool m_clickOk = false;
};

} // namespace kelton
