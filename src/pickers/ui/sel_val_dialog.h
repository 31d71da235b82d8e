#pragma once

#include <cstdint>
#include <memory>

#include <QDialog>

#include "pickers/sel_val.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelton {

class CSelValBox;

// The value picker "快捷选值器": a value set over MinVal..MaxVal edited as a
// box of cells. A fresh dialog for each use: the opener sets StrVal, MinVal,
// MaxVal, ShowMsg and ValName, shows it modally and reads StrVal once it has
// closed: the edited set after "确定", the text it gave after "取消" or the
// close box.
class FSelVal : public QDialog {
    Q_OBJECT

public:
    explicit FSelVal(QWidget* parent = nullptr);
    ~FSelVal() override;

    QString StrVal() const { return m_strVal; }
    void SetStrVal(const QString& strVal) { m_strVal = strVal; }
    int16_t MinVal() const { return m_minVal; }
    void SetMinVal(int16_t minVal) { m_minVal = minVal; }
    int16_t MaxVal() const { return m_maxVal; }
    void SetMaxVal(int16_t maxVal) { m_maxVal = maxVal; }
    // Cell labels, ";" between them ("0=热热热;1=热热冷;..."); empty: the values.
    void SetValName(const QString& valName) { m_valName = valName; }
    // A hint shown under the cells; empty: none.
    void SetShowMsg(const QString& showMsg) { m_showMsg = showMsg; }

    // Builds the window from the members, once: the first show does it
    // unless the opener did before.
    void Load();

    QLabel* LblMsg() const { return m_lblMsg; }
    CSelValBox* PicVal() const { return m_picVal; }
    QPlainTextEdit* TxtMsg() const { return m_txtMsg; }
    QComboBox* CboChoose() const { return m_cboChoose; }
    QPushButton* CmdOk() const { return m_cmdOk; }
    QPushButton* CmdCancel() const { return m_cmdCancel; }
    // The marking; empty before the window is built.
    const CSelValCells* Cells() const { return m_cells.get(); }
    // Where the window lays itself out, in twips.
    const sel_val::Layout& Layout() const { return m_layout; }

    // A choice in the quick-choice list replaces the marking.
    void CboChoose_Click();
    // Hands the marked values back as value-set text and closes.
    void CmdOk_Click();
    // Closes and leaves StrVal as it was given.
    void CmdCancel_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();

    QString m_strVal;
    int16_t m_minVal = 0;
    int16_t m_maxVal = 0;
    QString m_valName;
    QString m_showMsg;

    bool m_loaded = false;
    bool m_isBusy = false;
    std::unique_ptr<CSelValCells> m_cells;
    sel_val::Layout m_layout;

    QLabel* m_lblMsg = nullptr;
    CSelValBox* m_picVal = nullptr;
    QPlainTextEdit* m_txtMsg = nullptr;
    QComboBox* m_cboChoose = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

} // namespace kelton
