#include "shell/main_window_size.h"

#include <algorithm>

namespace kelton {

namespace {
constexpr int kDesignWidth = 1024;
constexpr int kDesignHeight = 720;
} // namespace

QRect MainWindowStartGeometry(const QRect& available)
{
    const int width = std::max(kDesignWidth, available.width() * 9 / 10);
    const int height = std::max(kDesignHeight, available.height() * 9 / 10);
    const int left = available.left() + std::max(0, (available.width() - width) / 2);
    const int top = available.top() + std::max(0, (available.height() - height) / 2);
    return {left, top, width, height};
}

} // namespace kelton
