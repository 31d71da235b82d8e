#include "platform/ui/screen_twips.h"

#include <QGuiApplication>
#include <QScreen>
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

} // namespace kelton
