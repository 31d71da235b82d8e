#include "platform/ui/screen_twips.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QWidget>

#include "platform/twips.h"

namespace kelton {

double ScreenDpi(const QWidget* on)
{
    const QScreen* screen = on ? on->screen() : nullptr;
    if (!screen && qGuiApp)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

int TwipsToScreenPixels(double twips, const QWidget* on)
{
    return TwipsToPixels(twips, ScreenDpi(on));
}

double ScreenPixelsToTwips(double pixels, const QWidget* on)
{
    return PixelsToTwips(pixels, ScreenDpi(on));
}

QRect TwipsRectToScreen(const QRect& twips, const QWidget* on)
{
    const double dpi = ScreenDpi(on);
    return {TwipsToPixels(twips.x(), dpi), TwipsToPixels(twips.y(), dpi), TwipsToPixels(twips.width(), dpi),
            TwipsToPixels(twips.height(), dpi)};
}

void SetTwipsGeometry(QWidget* widget, const QRect& twips)
{
    widget->setGeometry(TwipsRectToScreen(twips, widget));
}

void SetFixedOuterSize(QWidget* window, const QSize& outerTwips, FrameTwips frame)
{
    window->setFixedSize(TwipsToScreenPixels(outerTwips.width() - frame.Width, window),
                         TwipsToScreenPixels(outerTwips.height() - frame.Height, window));
}

} // namespace kelton
