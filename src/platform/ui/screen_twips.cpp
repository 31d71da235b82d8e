#include "platform/ui/screen_twips.h"

#include <algorithm>

#include <QFont>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QWidget>

#include "platform/twips.h"

namespace kelton {

namespace {
constexpr double kDesignFontPoints = 9;
} // namespace

double FontScale(double dpi)
{
    if (!qGuiApp)
        return 1;
    const QFont font = QGuiApplication::font();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / dpi;
    return std::max(1.0, points / kDesignFontPoints);
}

double ScreenDpi(const QWidget* on)
{
    const QScreen* screen = on ? on->screen() : nullptr;
    if (!screen && qGuiApp)
        screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi * FontScale(dpi);
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
