#include "platform/window_place.h"

#include <algorithm>

namespace kelton {

QRect PlaceOnScreen(QSize design, const QRect& available, Qt::Orientations grow)
{
    int width = design.width();
    int height = design.height();
    if (grow & Qt::Horizontal)
        width = std::max(width, available.width() * 9 / 10);
    if (grow & Qt::Vertical)
        height = std::max(height, available.height() * 9 / 10);
    // Never larger than the area: a small screen shows the whole window.
    width = std::min(width, available.width());
    height = std::min(height, available.height());
    const int left = available.left() + std::max(0, (available.width() - width) / 2);
    const int top = available.top() + std::max(0, (available.height() - height) / 2);
    return {left, top, width, height};
}

QPoint KeepInside(const QRect& window, QSize area)
{
    const int left = std::max(0, std::min(window.left(), area.width() - window.width()));
    const int top = std::max(0, std::min(window.top(), area.height() - window.height()));
    return {left, top};
}

QRect FitInside(const QRect& window, QSize area)
{
    const QRect bounded(window.topLeft(), window.size().boundedTo(area));
    return {KeepInside(bounded, area), bounded.size()};
}

std::vector<QRect> CascadePlaces(const std::vector<QSize>& sizes, QSize area, int step)
{
    step = std::max(step, 1);
    // Offsets 0, step, 2 step, ... while they stay within half the area.
    const int steps = std::max(1, std::min(area.width(), area.height()) / 2 / step + 1);
    std::vector<QRect> places;
    places.reserve(sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        const int offset = static_cast<int>(i % static_cast<size_t>(steps)) * step;
        const QSize room(std::max(0, area.width() - offset), std::max(0, area.height() - offset));
        places.emplace_back(QPoint(offset, offset), sizes[i].boundedTo(room));
    }
    return places;
}

std::vector<QRect> TilePlaces(int count, QSize area, bool bRows)
{
    std::vector<QRect> places;
    const int n = std::max(count, 0);
    places.reserve(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        if (bRows) {
            const int top = area.height() * k / n;
            const int bottom = area.height() * (k + 1) / n;
            places.emplace_back(0, top, area.width(), bottom - top);
        } else {
            const int left = area.width() * k / n;
            const int right = area.width() * (k + 1) / n;
            places.emplace_back(left, 0, right - left, area.height());
        }
    }
    return places;
}

std::vector<QPoint> IconPlaces(const std::vector<QSize>& sizes, QSize area)
{
    std::vector<QPoint> places;
    places.reserve(sizes.size());
    int x = 0;
    int bottom = area.height(); // the bottom edge of the current row
    int rowHeight = 0;
    for (const QSize& size : sizes) {
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        places.emplace_back(x, bottom - size.height());
        x += size.width();
    }
    return places;
}

} // namespace kelton
