#pragma once

#include <QRect>
#include <QString>

#include "platform/twips.h"

class QSize;
class QWidget;

namespace kelton {

// The dots per inch windows are laid out with on the screen that shows a
// widget (the primary screen when none is given or the widget has none yet;
// 96 without a screen): the screen's logical dots per inch, grown with the
// application's font where it is larger than the 9-point font the windows
// were designed for. A larger font so grows every window, its controls and
// their places alike, as a screen of more dots per inch would, and the
// designs keep holding their texts.
double ScreenDpi(const QWidget* on = nullptr);

// How much larger than the designs' 9-point font the application's font
// is at dpi dots per inch; 1 for a font that size or smaller.
double FontScale(double dpi);

// Twips to whole pixels on that screen, halves to even (platform/twips.h).
int TwipsToScreenPixels(double twips, const QWidget* on = nullptr);

// Pixels on that screen to twips, not rounded.
double ScreenPixelsToTwips(double pixels, const QWidget* on = nullptr);

// A rectangle in twips (left, top, width, height) in whole pixels on that
// screen, each of the four converted alone.
QRect TwipsRectToScreen(const QRect& twips, const QWidget* on = nullptr);

// Places a widget at a rectangle given in twips (in its parent's client
// area).
void SetTwipsGeometry(QWidget* widget, const QRect& twips);

// A control of type W (a label, a button, ...) showing text, made on parent,
// named name (unnamed when empty) and placed at a rectangle in twips.
template <class W>
W* MakeTwipsControl(QWidget* parent, const QString& name, const QString& text, const QRect& twips)
{
    auto* control = new W(text, parent);
    if (!name.isEmpty())
        control->setObjectName(name);
    SetTwipsGeometry(control, twips);
    return control;
}

// Fixes the size of a window whose outer size (frame included) is given in
// twips: its client area is that size less the frame's allowance.
void SetFixedOuterSize(QWidget* window, const QSize& outerTwips, FrameTwips frame);

} // namespace kelton
