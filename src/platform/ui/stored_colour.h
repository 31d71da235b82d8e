#pragma once

#include <cstdint>

#include <QColor>

namespace kelton {

// Colours are stored as one number: red + 256 * green + 65536 * blue.
inline QRgb ToQRgb(int32_t rgb)
{
    return qRgb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

inline QColor ToQColor(int32_t rgb)
{
    return QColor(ToQRgb(rgb));
}

inline int32_t FromQColor(const QColor& colour)
{
    return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

} // namespace kelton
