#include "platform/twips.h"

#include <cmath>

namespace kelton {

int TwipsToPixels(double twips, double dpi)
{
    return static_cast<int>(std::nearbyint(twips * dpi / kTwipsPerInch)); // ties to even
}

double PixelsToTwips(double pixels, double dpi)
{
    return dpi > 0 ? pixels * kTwipsPerInch / dpi : 0.0;
}

} // namespace kelton
