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

} // namespace kelton
