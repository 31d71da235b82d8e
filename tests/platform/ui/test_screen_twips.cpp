#include <QApplication>
#include <QFont>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/ui/screen_twips.h"
#include "shell/ui/qt_app_env.h"

namespace kelton {
namespace {

// Windows grow with the application's font as with a screen of more dots
// per inch, so that the designs made for a 9-point font keep holding their
// texts; they never shrink below the design.
TEST(ScreenTwips, FollowTheApplicationFont)
{
    const QFont original = QApplication::font();
    QWidget widget;
    const double dpi = widget.logicalDpiX();
    struct Case {
        double points;
        double scale;
    };
    for (const Case& c : {Case{9, 1}, Case{11.25, 1.25}, Case{18, 2}, Case{7, 1}}) {
        QFont font = original;
        font.setPointSizeF(c.points);
        QApplication::setFont(font);
        EXPECT_DOUBLE_EQ(FontScale(dpi), c.scale) << c.points;
        EXPECT_DOUBLE_EQ(ScreenDpi(&widget), dpi * c.scale) << c.points;
        EXPECT_EQ(TwipsToScreenPixels(1440, &widget), qRound(dpi * c.scale)) << c.points;
        EXPECT_EQ(TwipsRectToScreen(QRect(0, 0, 1440, 720), &widget).height(), qRound(dpi * c.scale / 2))
            << c.points;
    }
    // A font given in pixels counts by its size in points at that density.
    QFont pixels = original;
    pixels.setPixelSize(qRound(dpi * 18 / 72));
    QApplication::setFont(pixels);
    EXPECT_NEAR(FontScale(dpi), 2, 0.05);
    QApplication::setFont(original);
}

} // namespace
} // namespace kelton
