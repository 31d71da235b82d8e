#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QWidget>

#include "filter/scheme_check.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace kelton {

struct AppState;

// The main window's side panel "过滤方案验证结果": the findings of the
// filter window's two checks, one row per finding, each item row a link to
// where it can be examined (an analysis view, or a page of the other-filter
// panel). A header bar with the title and the close button "╳" over the
// rows, which scroll when they are higher than the panel; a splitter along
// the right edge sets the width. Closing only hides it; the next check
// refills it.
//
// Made by the filter installer as the main window's SchemePanel and docked
// at the left; while it lies in a dock, showing or hiding the panel shows
// or hides the dock.
class SchemePanel : public QWidget {
    Q_OBJECT

public:
    // Opens page 0 (match), 1 (history) or 2 (generating/restraining) of
    // the other filters, as the filter window's set-up buttons do.
    using OtherFilterPageOpener = std::function<void(int page)>;

    // A link to an analysis view opens it among app's analysis windows (app
    // outlives the panel); a link to the other filters goes to
    // openOtherFilterPage, and does nothing without one.
    explicit SchemePanel(const AppState& app, OtherFilterPageOpener openOtherFilterPage = {},
                         QWidget* parent = nullptr);

    // Places the rows of a check, drops the surplus labels, sets the title,
    // then shows (and lays out) or hides the panel.
    void Fill(const PanelContent& content);
    // The layout: scroll bar, content, header and splitter.
    void picWindow_Resize();
    // The panel's width in twips (2445 at start).
    int32_t WidthTwips() const { return m_widthTwips; }
    void SetWidthTwips(int32_t width);

    // Handlers.
    void CmdWindowClose_Click();
    void LblFilter_Click(int index);
    void VslWindow_Change();
    void picWindowSize_MouseMove(Qt::MouseButtons buttons, int32_t xTwips);

    // Controls.
    QWidget* picWindowBox() const { return m_box; }
    QLabel* LblWindowBox() const { return m_title; }
    QPushButton* CmdWindowClose() const { return m_close; }
    QWidget* picVail() const { return m_vail; }
    QScrollBar* VslWindow() const { return m_vsl; }
    QWidget* picWindowSize() const { return m_size; }
    int LblStatCount() const { return static_cast<int>(m_lblStat.size()); }
    int LblFilterCount() const { return static_cast<int>(m_lblFilter.size()); }
    QLabel* LblStat(int i) const { return m_lblStat[static_cast<size_t>(i)]; }
    QLabel* LblFilter(int i) const { return m_lblFilter[static_cast<size_t>(i)]; }
    // The header's height in twips: as designed (255), or as high as its
    // title needs.
    int32_t HeaderTwips() const;
    // The rows' area and the scroll unit, in twips.
    int32_t VailHeightTwips() const { return m_vailHeight; }
    int32_t ScrollUnit() const { return m_scrollUnit; }
    // A label's place in the rows' area, in twips.
    QPoint LabelTwips(const QLabel* label) const;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* StatLabel(int index);
    QLabel* FilterLabel(int index);
    int32_t Twips(int pixels) const;
    int Pixels(int32_t twips) const;

    const AppState& m_app;
    OtherFilterPageOpener m_openOtherFilterPage;
    QWidget* m_box = nullptr;
    QLabel* m_title = nullptr;
    QPushButton* m_close = nullptr;
    QWidget* m_vail = nullptr;
    QScrollBar* m_vsl = nullptr;
    QWidget* m_size = nullptr;
    std::vector<QLabel*> m_lblStat;
    std::vector<QLabel*> m_lblFilter;
    int32_t m_widthTwips = 2445;
    int32_t m_vailHeight = 0;
    int32_t m_scrollUnit = 1;
};

} // namespace kelton
