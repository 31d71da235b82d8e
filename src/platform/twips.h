#pragma once

#include <cstdint>

namespace kelton {

// Windows are laid out in twips: 1440 to the inch. A length becomes pixels
// through the dots per inch of the screen it is shown on (the window side
// asks the screen, see platform/ui/screen_twips.h); this is the one place
// where the two units meet.
inline constexpr double kTwipsPerInch = 1440.0;

// Whole pixels of a length in twips at dpi dots per inch, rounded to the
// nearest pixel with halves to even.
int TwipsToPixels(double twips, double dpi);

// Twips of a length in pixels, not rounded.
double PixelsToTwips(double pixels, double dpi);

// Fixed-size windows give their outer size, frame included. The window
// system draws the frame, so the client area is the outer size less these
// allowances: a border of 45 twips (3 pixels at 96 dots per inch) all round
// and the caption bar of a dialog or of a tool window (small caption).
struct FrameTwips {
    int Width;
    int Height;
};
inline constexpr FrameTwips kDialogFrame{90, 375};
inline constexpr FrameTwips kToolWindowFrame{90, 345};

} // namespace kelton
