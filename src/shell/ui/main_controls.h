#pragma once

#include <array>

class QAction;
class QLabel;
class QMdiArea;
class QProgressBar;
class QStatusBar;
class QTimer;
class QWidget;

namespace kelton {

class CXpToolBar;

// The controls of the main window, each named as its object: the work
// area, the toolbar, the status bar with its notice panel and ticker timer,
// the progress bar, the docked scheme panel and the data and Window menus'
// entries of the analysis windows. The window builds them and owns them;
// tests drive them from here.
struct MainControls {
    static constexpr int kViewCount = 8;

    QMdiArea* MdiArea = nullptr;
    CXpToolBar* Tbr1 = nullptr;
    QStatusBar* StbNews = nullptr;
    QLabel* StatusPanel = nullptr; // panel 1, the status text
    QLabel* NoticePanel = nullptr; // panel 2, keyed "Notify"
    QTimer* tmrStatus = nullptr;   // the ticker of the notices
    QProgressBar* Prg = nullptr;
    // The docked scheme panel, when its window is part of the program.
    QWidget* picWindow = nullptr;
    // The entries of the analysis windows, one per view.
    std::array<QAction*, kViewCount> mnuDataInfer{};
    std::array<QAction*, kViewCount> mnuWindowInfer{};
};

} // namespace kelton
