#pragma once

// A check of what a user sees in a window: every visible control lies
// inside its window, no control covers another, and every text a control
// draws (a label's, a button's, a list's current entry, a grid's or list's
// cells, a chart's legend) fits the space it is drawn in. Scrolled content
// may be clipped by the area that scrolls it; nothing else may.
//
//   for (const QString& fault : CheckLayout(*window, {.Screen = QRect(0, 0, 1024, 700)}))
//       ADD_FAILURE() << fault.toStdString();
//
// Each fault names the window, the control (its path of object names from
// the window) and the sizes that disagree.

#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

namespace kelton::test {

struct LayoutCheckOptions {
    // The screen a top-level window must lie on, frame and all; empty: any.
    QRect Screen;
};

// The faults of one window: a top-level window, a dialog, or a child window
// of the main window's work area (checked against the work area).
QStringList CheckLayout(const QWidget& window, const LayoutCheckOptions& options = {});

// The path of object names (class names where a widget has none) from the
// window down to the widget, "/"-separated.
QString WidgetPath(const QWidget& widget);

} // namespace kelton::test
