#pragma once

#include <QRect>
#include <QString>

#include "platform/twips.h"

class QSize;
class QWidget;

namespace kelton {

// The logical dots per inch of the screen that shows a widget (the primary
// screen when none is given or the widget has none yet); 96 without a
// screen.
double ScreenDpi(const QWidget* on = nullptr);

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
