#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>

#include <gtest/gtest.h>

#include "platform/ui/plain_text_widths.h"
#include "shell/ui/qt_app_env.h"

namespace kelton {
namespace {

QFont Sized(QFont font, double points)
{
    font.setPointSizeF(points);
    return font;
}

QFont Bold(QFont font)
{
    font.setBold(true);
    return font;
}

// Numeric texts add up to exactly what the font's own measure gives, in
// every font and size that lays them out plainly.
TEST(PlainTextWidths, AddUpToTheFontsOwnMeasure)
{
    const QFont app = QApplication::font();
    QFont pixels = app;
    pixels.setPixelSize(13);
    const QFont fonts[] = {
        app,
        Sized(app, 7),
        Sized(app, 10.5),
        Sized(app, 18),
        Bold(Sized(app, 11)),
        QFont(QStringLiteral("Noto Sans CJK SC"), 9),
        QFont(QStringLiteral("Noto Serif CJK SC"), 10.5), // kerns "/", "-" and ".": its sums are refused
        QFontDatabase::systemFont(QFontDatabase::FixedFont),
        pixels,
    };
    const char* texts[] = {"0", "7", "11", "8374", "2026-12-11", "12:30", "3.14", "-5", " 1 2 ", "1/3", "-0.25",
                           "00000000000000000000000000000", "9.9.9.9.9.9.9.9.9", "10:11:12 13/14/15",
                           "0.5/-.25", "1//2"}; // signs some fonts kern
    int usable = 0;
    for (const QFont& font : fonts) {
        const CPlainTextWidths widths(font);
        usable += widths.Usable() ? 1 : 0;
        const QFontMetrics metrics(font);
        for (const char* text : texts) {
            const QString t = QString::fromLatin1(text);
            if (const std::optional<int> width = widths.Of(t)) {
                EXPECT_EQ(*width, metrics.horizontalAdvance(t)) << font.toString().toStdString() << " " << text;
            } else {
                EXPECT_FALSE(widths.Usable()) << font.toString().toStdString() << " " << text;
            }
        }
    }
    // The sums are used for the common fonts, not refused wholesale.
    EXPECT_GE(usable, 4);
}

TEST(PlainTextWidths, LeaveOtherTextsToTheFont)
{
    const CPlainTextWidths widths(QApplication::font());
    for (const QString& text : {QStringLiteral("12a"), QStringLiteral("+1"), QStringLiteral("(3)"),
                                QStringLiteral("1,2"), QStringLiteral("一二"), QStringLiteral("3\t4")})
        EXPECT_EQ(widths.Of(text), std::nullopt) << text.toStdString();
}

// Spacing between letters is no plain layout: the sums either agree or
// are not used.
TEST(PlainTextWidths, LetterSpacingIsNeverAddedWrongly)
{
    QFont spaced = QApplication::font();
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    const CPlainTextWidths widths(spaced);
    const QString text = QStringLiteral("2026-12-11");
    if (const std::optional<int> width = widths.Of(text)) {
        EXPECT_EQ(*width, QFontMetrics(spaced).horizontalAdvance(text));
    }
}

} // namespace
} // namespace kelton
