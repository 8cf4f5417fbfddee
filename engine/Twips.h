// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// Window geometry and printouts measure in twips (1/1440 inch); at 96 dots per inch 15
// twips are one device-independent pixel, and Qt scales pixels for high-resolution screens.
inline constexpr double TwipsPerInch = 1440.0;
inline constexpr double TwipsPerPixel = 15.0;
// A picture reports its size in 0.01 mm.
inline constexpr double HimetricPerInch = 2540.0;
inline constexpr double MillimetresPerInch = 25.4;

inline int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline double PixelsToTwips(double pixels) {
    return pixels * TwipsPerPixel;
}

inline double TwipsToHimetric(double twips) {
    return twips * HimetricPerInch / TwipsPerInch;
}
