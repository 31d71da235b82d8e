#pragma once

#include <cstdint>

#include "host/ui/child_form.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabBar;

namespace kelton {

struct AppState;
class CLottorData;
class CStat;
class QvxChart;

// The extreme-range window "设置过滤极值范围": one instance for the program,
// a child window of the main window, really unloaded when it is closed
// (opened again it starts from its defaults). Nine tabs at the bottom: one
// per data view ("原始数据", "转换数据1".."转换数据7") and "所有数据" for all
// views together. In a view it sets every condition of the view to the
// extremes of a span of drawn issues ("设置"), charts for the last 100
// issues how many conditions each would have broken with conditions from
// the extremes of the N issues before it ("查看"), and edits the view's own
// tolerance ("子容错"); over all views it charts the sum ("所有") and edits
// the total tolerance ("总容错").
class FFilterBound : public CChildForm {
    Q_OBJECT

public:
    // Serves app's current game and writes through its game document; app
    // outlives the window.
    explicit FFilterBound(AppState& app, QWidget* parent = nullptr);
    ~FFilterBound() override;

    // Loads the window on its first showing, then shows it.
    void ShowForm() override;
    bool Loaded() const { return m_loaded; }
    // Shows the tolerance of the selected tab; on the game document's word
    // that the conditions changed, while the window is loaded.
    void RefreshFilter();
    // Refills the issue lists (newest as end) and applies the slider again.
    void RefreshForm();

    // Handlers.
    void Form_Load();
    void Form_Resize();
    void Tab1_Click();
    void sdrLay_Change();
    void cmdSetShk_Click();
    void cmdView_Click();
    void cmdViewAll_Click();
    void chkErr_Click();
    void TxtErr_Click();
    void TxtErr_Change();
    // Code's way to select a tab (counted from 1): runs Tab1_Click.
    void SelectTab(int tab);

    // Controls.
    QvxChart* chMain() const { return m_chart; }
    QTabBar* Tab1() const { return m_tab; }
    QFrame* Frame1() const { return m_frame; }
    QSlider* sdrLay() const { return m_slider; }
    QPushButton* cmdView() const { return m_cmdView; }
    QPushButton* cmdViewAll() const { return m_cmdViewAll; }
    QPushButton* cmdSetShk() const { return m_cmdSetShk; }
    QComboBox* cboStart() const { return m_cboStart; }
    QComboBox* cboEnd() const { return m_cboEnd; }
    QCheckBox* chkErr() const { return m_chkErr; }
    QLineEdit* TxtErr() const { return m_txtErr; }

protected:
    bool UnloadsWhenClosed() const override { return true; }
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The selected tab counted from 1; 9 is all views.
    int SelectedTab() const;
    bool AllViews() const { return SelectedTab() == 9; }
    CStat* ShownView() const;
    std::shared_ptr<CLottorData> Game() const;
    void FillIssueLists();
    void DrawChart(bool allViews);

    AppState& m_app;
    bool m_loaded = false;
    bool m_isBusy = false;
    QvxChart* m_chart = nullptr;
    QFrame* m_tabBody = nullptr;
    QTabBar* m_tab = nullptr;
    QFrame* m_frame = nullptr;
    QWidget* m_picData = nullptr;
    QSlider* m_slider = nullptr;
    QPushButton* m_cmdView = nullptr;
    QPushButton* m_cmdViewAll = nullptr;
    QComboBox* m_cboStart = nullptr;
    QComboBox* m_cboEnd = nullptr;
    QCheckBox* m_chkErr = nullptr;
    QLineEdit* m_txtErr = nullptr;
    QPushButton* m_cmdSetShk = nullptr;
};

} // namespace kelton
