#include "analysis/infer_frame.h"

#include <algorithm>
#include <cmath>

namespace kelton {

namespace {

int RoundEven(double v)
{
    return static_cast<int>(std::nearbyint(v)); // the default mode rounds halves to even
}

const int kRowTops3[3] = {120, 480, 840};

} // namespace

FrameLayout LayoutFrame(const FrameInput& in)
{
    FrameLayout out;
    const int viewWidth = in.W > 120 ? in.W - 120 : 0;
    out.Top = QRect(kTopBarLeft, 0, std::max(0, viewWidth - kTopBarLeft), kTopBarHeight);
    const int used = kTopBarHeight + in.TabHeight + 580;
    const int viewHeight = used >= in.H ? 0 : in.H - used;
    out.View = QRect(0, 360, viewWidth, viewHeight);
    const int tabsTop = out.View.top() + viewHeight + 60;
    const int tabsWidth = in.W > 140 ? in.W - 140 : 0;
    out.Tabs = QRect(20, tabsTop, tabsWidth, in.TabHeight);
    // The page's scroll bar sits below the last row of options, clear of the
    // tab captions and the options.
    out.BarTop = tabsTop + in.TabHeight - 135;
    const int holderWidth = tabsWidth > 50 ? tabsWidth - 50 : 0;
    const int holderHeight = in.TabHeight > 400 ? in.TabHeight - 400 : in.HolderHeight;
    out.Holder = QRect(out.Tabs.left() + 15, tabsTop + 320, holderWidth, holderHeight);
    const int F = in.FrameWidth;
    out.Frame = QRect(holderWidth > F ? holderWidth - F : 0, 0, F, kFraFilterHeight);

    const int V = holderWidth;
    out.PageLeft = in.PageLeft;
    const auto fits = [&](int width) {
        out.PageLeft = 120;
        out.PageWidth = width;
        out.BarVisible = false;
    };
    const auto bar = [&](double excess) {
        out.BarVisible = true;
        out.BarMax = RoundEven(excess);
        out.BarSmallChange = out.BarMax / 10 + 1;
    };
    const QString& key = in.Key;
    if (key == QLatin1String("Sort") || key == QLatin1String("Miss")) {
        out.SizesPage = true;
        out.HideFrame = true;
        if (V > 9240) {
            fits(V - 240);
        } else {
            out.PageWidth = 9000;
            if (V + 120 < 9000)
                bar(9000 - V - 120);
        }
    } else if (key == QLatin1String("Data") || key == QLatin1String("Cycle") || key == QLatin1String("Character")
               || key == QLatin1String("Pos") || key == QLatin1String("Relate")) {
        out.SizesPage = true;
        bool fit = false;
        int narrow = 0;
        if (key == QLatin1String("Data")) {
            fit = V > 9000;
            narrow = 9000 - F - 240;
        } else if (key == QLatin1String("Cycle")) {
            fit = V > 10000;
            narrow = 10000 - F - 240;
        } else {
            fit = V - F - 240 > in.PosPageWidth;
            narrow = in.PosPageWidth - F - 240;
            // The character page's six columns and the relation page's
            // list never squeeze below their own width: the bar scrolls.
            const int own = key == QLatin1String("Character") ? kCharacterPageMin
                            : key == QLatin1String("Relate")  ? kRelatePageMin
                                                              : 0;
            fit = fit && V - F - 240 >= own;
            narrow = std::max(narrow, own);
        }
        if (fit) {
            fits(V - F - 240);
        } else {
            out.PageWidth = narrow;
            if (V - F < narrow)
                bar(narrow - (V - F));
        }
    }
    return out;
}

int PosPageWidth(int bm, int optionWidth, int frameWidth)
{
    return (optionWidth + 105) * ((bm - 1) / 3 + 3) + frameWidth + 240;
}

SortPagePlaces SortPage(int P, int w)
{
    SortPagePlaces out;
    if (P < 9000)
        return out;
    out.Applies = true;
    const int X = RoundEven(P - 100) / 2;
    out.SeparatorX = X;
    const int gap = RoundEven((RoundEven(P) / 2 - 3.0 * w) / 2.5);
    // cell n (0 OptListAll, 1..8 OptList 0..7) in column n \ 3, row n Mod 3
    for (int n = 0; n < 9; ++n) {
        const int top = kRowTops3[n % 3];
        const int left = n < 3 ? 0 : (w + gap) * (n / 3);
        out.List.emplace_back(left, top);
        const int statLeft = n < 3 ? X + 120 : left + X + 120;
        out.Stat.emplace_back(statLeft, top);
    }
    return out;
}

std::vector<QPoint> DataPage(int P, int w)
{
    static const int tops[4] = {120, 360, 600, 840};
    const int gap = RoundEven((P - 5.0 * w) / 4.5);
    std::vector<QPoint> out;
    for (int n = 0; n < 20; ++n)
        out.emplace_back(n == 0 ? 0 : (w + gap) * (n % 5), tops[n / 5]);
    return out;
}

std::vector<QPoint> CharacterPage(int P)
{
    const int colw = RoundEven(P - 240) / 6;
    std::vector<QPoint> out;
    for (int k = 20; k <= 36; ++k) {
        const int n = k <= 28 ? k - 20 : k - 19;
        out.emplace_back(120 + colw * (n / 3), kRowTops3[n % 3]);
    }
    return out;
}

std::vector<QPoint> PosPage(int P, int bm)
{
    const int columns = (bm + 5) / 3 + 1;
    const int pitch = RoundEven(P - 240) / columns;
    std::vector<QPoint> out;
    for (int k = 37; k <= 42 + bm; ++k) {
        const int n = k - 37;
        out.emplace_back(120 + pitch * (n / 3), kRowTops3[n % 3]);
    }
    return out;
}

MissPagePlaces MissPage(int P, int w0)
{
    MissPagePlaces out;
    if (P < 6500)
        return out;
    out.Applies = true;
    const double X = (P - 100) * 0.4;
    out.SeparatorX = static_cast<int>(X);
    const int gap = RoundEven((P * 0.4 - 2.0 * w0) / 1.5);
    out.Miss = {QPoint(120, 120), QPoint(120, 600), QPoint(w0 + gap, 120), QPoint(w0 + gap, 600)};
    static const int tops[5] = {120, 600, 120, 600, 120};
    for (int i = 0; i < 5; ++i)
        out.Miss2.emplace_back(RoundEven(X + 120 + (w0 + gap) * (i / 2)), tops[i]);
    return out;
}

} // namespace kelton
