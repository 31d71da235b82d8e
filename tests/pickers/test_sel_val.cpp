#include "pickers/sel_val.h"

#include <gtest/gtest.h>

#include "pickers/quick_choice.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;
using Button = CSelValDrag::Button;

// The marked values of a range as text, "3-5 9".
QString Marked(const CSelValCells& cells)
{
    return cells.Result();
}

TEST(SelValCells, TextInMarksAndOkGivesItBack)
{
    struct Case {
        QString text;
        int16_t min;
        int16_t max;
        QString result;
    };
    const Case cases[] = {
        {u""_s, 0, 9, u""_s},
        {u"5 3 4 9"_s, 0, 9, u"3-5 9"_s},
        {u"250"_s, 0, 200, u"200"_s}, // beyond the range: the end cell
        {u"x 3"_s, 0, 9, u""_s},      // the reading stops at the first non-number
        {u"2-4 8-100"_s, 0, 9, u"2-4 8-9"_s},
        {u"12-14"_s, 10, 20, u"12-14"_s}, // cells stand for MinVal + k
    };
    for (const Case& c : cases) {
        CSelValCells cells(c.min, c.max);
        cells.Load(c.text);
        EXPECT_EQ(Marked(cells), c.result) << c.text.toStdString();
    }
    CSelValCells cells(0, 200);
    cells.Load(u"250"_s);
    EXPECT_TRUE(cells.Marked(200));
    EXPECT_EQ(cells.Count(), 201);
}

TEST(SelValCells, QuickChoices)
{
    struct Case {
        int16_t max;
        QuickChoice choice;
        QString result;
    };
    const Case cases[] = {
        // Thirds counted in cells: n div 3.
        {1, QuickChoice::Small, u""_s},
        {1, QuickChoice::Middle, u""_s},
        {1, QuickChoice::Large, u"0-1"_s},
        {9, QuickChoice::Small, u"0-2"_s},
        {9, QuickChoice::Middle, u"3-5"_s},
        {9, QuickChoice::Large, u"6-9"_s},
        {27, QuickChoice::Small, u"0-8"_s},
        {27, QuickChoice::Middle, u"9-17"_s},
        {27, QuickChoice::Large, u"18-27"_s},
        {26, QuickChoice::Odd, u"1 3 5 7 9 11 13 15 17 19 21 23 25"_s},
        {26, QuickChoice::Rest0, u"0 3 6 9 12 15 18 21 24"_s},
        {9, QuickChoice::Even, u"0 2 4 6 8"_s},
        {9, QuickChoice::Rest1, u"1 4 7"_s},
        {9, QuickChoice::Rest2, u"2 5 8"_s},
        {9, QuickChoice::All, u"0-9"_s},
        {9, QuickChoice::Prime, u"1-3 5 7"_s},
        {9, QuickChoice::Composite, u"0 4 6 8-9"_s},
    };
    for (const Case& c : cases) {
        CSelValCells cells(0, c.max);
        cells.Load(u"0-1"_s); // a choice replaces the marking
        cells.ApplyQuickChoice(static_cast<int>(c.choice));
        EXPECT_EQ(Marked(cells), c.result) << "0.." << c.max << " choice " << static_cast<int>(c.choice);
    }

    CSelValCells cells(0, 26);
    cells.ApplyQuickChoice(static_cast<int>(QuickChoice::All));
    cells.ApplyQuickChoice(static_cast<int>(QuickChoice::Clear));
    EXPECT_EQ(Marked(cells), u""_s);
}

TEST(SelValCells, PrimeChoicesStopAbove200)
{
    for (const QString& before : {QString(), u"201-250"_s}) {
        CSelValCells primes(0, 250);
        primes.Load(before);
        primes.ApplyQuickChoice(static_cast<int>(QuickChoice::Prime));
        for (int v = 0; v <= 250; ++v) {
            const bool expected = v > 200 ? !before.isEmpty() : v == 1 || (v > 1 && [v] {
                                                                    for (int d = 2; d * d <= v; ++d)
                                                                        if (v % d == 0)
                                                                            return false;
                                                                    return true;
                                                                }());
            EXPECT_EQ(primes.Marked(v), expected) << v << " after " << before.toStdString();
        }
        CSelValCells composites(0, 250);
        composites.Load(before);
        composites.ApplyQuickChoice(static_cast<int>(QuickChoice::Composite));
        for (int v : {0, 4, 6, 8, 9, 200})
            EXPECT_TRUE(composites.Marked(v)) << v;
        for (int v : {1, 2, 3, 199})
            EXPECT_FALSE(composites.Marked(v)) << v;
        EXPECT_EQ(composites.Marked(201), !before.isEmpty());
        EXPECT_EQ(composites.Marked(250), !before.isEmpty());
    }
}

TEST(SelValGeometry, CellsBoxAndWindow)
{
    // Cells ten to a row, W + 250 apart, rows 350 apart.
    EXPECT_EQ(sel_val::CellRect(0, 400), QRect(250, 150, 400, 200));
    EXPECT_EQ(sel_val::CellRect(9, 400), QRect(9 * 650 + 250, 150, 400, 200));
    EXPECT_EQ(sel_val::CellRect(12, 400), QRect(2 * 650 + 250, 500, 400, 200));
    EXPECT_EQ(sel_val::CellRect(12, 700), QRect(2 * 950 + 250, 500, 700, 200));
    EXPECT_EQ(sel_val::CellWidth(std::nullopt), 400);
    EXPECT_EQ(sel_val::CellWidth(350.0), 400);
    EXPECT_EQ(sel_val::CellWidth(780.5), 781);

    struct Case {
        int cells;
        QSize box;
    };
    const Case boxes[] = {{4, {6750, 500}},    {10, {6750, 500}},    {11, {6750, 850}},
                          {201, {6750, 7500}}, {930, {6750, 32700}}, {0, {6750, 500}}};
    for (const Case& c : boxes)
        EXPECT_EQ(sel_val::BoxSize(c.cells, 400), c.box) << c.cells;

    // 0..9 without a hint: the buttons 120 below the box, "确定" ending 250
    // short of the box's right edge, the list 20 lower than the buttons.
    const sel_val::Layout plain = sel_val::LayOut(10, 400, false);
    EXPECT_EQ(plain.PicVal, QRect(120, 840, 6750, 500));
    EXPECT_EQ(plain.LblMsg, QRect(240, 60, 6630, 765));
    EXPECT_LT(plain.LblMsg.bottom(), plain.PicVal.top());
    EXPECT_TRUE(plain.TxtMsg.isEmpty());
    EXPECT_EQ(plain.CmdCancel, QRect(120 + 6750 - 1950 - 500, 1460, 975, 375));
    EXPECT_EQ(plain.CmdOk.x() + plain.CmdOk.width(), 120 + 6750 - 250);
    EXPECT_EQ(plain.CmdOk.y(), 1460);
    EXPECT_EQ(plain.CboChoose.topLeft(), QPoint(120, 1480));
    EXPECT_EQ(plain.CboChoose.width(), 1695);
    EXPECT_EQ(plain.Outer, QSize(7100, 1460 + 375 + 460));

    // With a hint the box for it comes first, as wide as the cell box.
    const sel_val::Layout hinted = sel_val::LayOut(10, 400, true);
    EXPECT_EQ(hinted.TxtMsg, QRect(120, 1460, 6750, 615));
    EXPECT_EQ(hinted.CmdOk.y(), 1460 + 615 + 120);
    EXPECT_EQ(hinted.Outer.height(), 2195 + 375 + 460);
}

TEST(SelValGeometry, LabelsAndCellTexts)
{
    EXPECT_TRUE(sel_val::Labels(u"   "_s).isEmpty());
    const QStringList labels = sel_val::Labels(u" 0=热热热;1=热热冷;A;BC "_s);
    EXPECT_EQ(labels, (QStringList{u"0=热热热"_s, u"1=热热冷"_s, u"A"_s, u"BC"_s}));
    struct Case {
        int k;
        int minVal;
        bool withLabels;
        QString text;
    };
    const Case cases[] = {
        {0, 0, false, u"  0"_s},   {9, 0, false, u"  9"_s},     {10, 0, false, u" 10"_s},
        {0, 100, false, u"100"_s}, {0, 0, true, u"0=热热热"_s}, {2, 0, true, u"  A"_s},
        {3, 0, true, u" BC"_s},    {4, 0, true, u"  4"_s}, // a label list too short: the value
    };
    for (const Case& c : cases)
        EXPECT_EQ(sel_val::CellText(c.k, c.withLabels ? labels : QStringList(), c.minVal), c.text) << c.k;
}

TEST(SelValCells, RectangleTouchesCells)
{
    CSelValCells cells(0, 29);
    const QRect c0 = sel_val::CellRect(0, 400);
    const QRect c12 = sel_val::CellRect(12, 400);
    struct Case {
        QRectF band;
        std::vector<int> touched;
    };
    const Case cases[] = {
        // From inside cell 0 to inside cell 12.
        {QRectF(QPointF(c0.x() + 10, c0.y() + 10), QPointF(c12.x() + 10, c12.y() + 10)),
         {0, 1, 2, 10, 11, 12}},
        // Within the gaps: nothing.
        {QRectF(660, 360, 230, 130), {}},
        // Touching a box's edge counts.
        {QRectF(650, 350, 0, 0), {0}},
        {QRectF(899, 360, 0, 139), {}},
        {QRectF(900, 360, 0, 140), {11}},
        // A band pulled the other way is the same band.
        {QRectF(QPointF(c12.x() + 10, c12.y() + 10), QPointF(c0.x() + 10, c0.y() + 10)),
         {0, 1, 2, 10, 11, 12}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cells.TouchedCells(c.band, 400), c.touched) << c.band.x() << "," << c.band.y();

    EXPECT_EQ(cells.CellAt(QPointF(c12.center()), 400), 12);
    EXPECT_EQ(cells.CellAt(QPointF(200, 200), 400), -1);
    EXPECT_EQ(cells.CellAt(QPointF(c12.center()) + QPointF(0, 3500), 400), -1); // past the last row
}

TEST(SelValDrag, ArmsStretchesAndHandsOnTheBand)
{
    CSelValDrag drag;
    // No press yet: nothing to apply.
    drag.Move(QPointF(5, 5));
    EXPECT_FALSE(drag.Release(Button::Left));
    EXPECT_FALSE(drag.Armed());

    // A press and a release without a move change nothing.
    drag.Press(Button::Left, QPointF(100, 100));
    EXPECT_TRUE(drag.BandVisible());
    EXPECT_EQ(drag.Band(), QRectF(100, 100, 0, 0));
    EXPECT_FALSE(drag.Release(Button::Left));
    EXPECT_FALSE(drag.BandVisible());

    // Pulled to the left, then back to the right: always between the press
    // point and the pointer.
    drag.Press(Button::Left, QPointF(100, 100));
    drag.Move(QPointF(40, 160));
    EXPECT_EQ(drag.Band(), QRectF(40, 100, 60, 60));
    drag.Move(QPointF(130, 90));
    EXPECT_EQ(drag.Band(), QRectF(100, 90, 30, 10));
    // The middle button and the release of another button do nothing.
    drag.Press(Button::Other, QPointF(0, 0));
    EXPECT_FALSE(drag.Release(Button::Right));
    EXPECT_TRUE(drag.BandVisible());
    const std::optional<CSelValDrag::Apply> marked = drag.Release(Button::Left);
    ASSERT_TRUE(marked);
    EXPECT_TRUE(marked->Mark);
    EXPECT_EQ(marked->Band, QRectF(100, 90, 30, 10));

    // The release does not disarm: the hidden band follows the pointer.
    EXPECT_TRUE(drag.Armed());
    drag.Move(QPointF(200, 200));
    EXPECT_FALSE(drag.BandVisible());
    EXPECT_EQ(drag.Band(), QRectF(100, 100, 100, 100));

    // The right button unmarks.
    drag.Press(Button::Right, QPointF(10, 10));
    drag.Move(QPointF(20, 20));
    const std::optional<CSelValDrag::Apply> unmarked = drag.Release(Button::Right);
    ASSERT_TRUE(unmarked);
    EXPECT_FALSE(unmarked->Mark);
}

} // namespace
} // namespace kelton
