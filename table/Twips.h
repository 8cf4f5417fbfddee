#pragma once

#include <QtGlobal>

#include <cmath>

// Window geometry is kept in twips (1/1440 inch); at 96 dots per inch 15 twips are one
// device-independent pixel. Qt scales pixels for high-resolution screens.
inline constexpr double TwipsPerPixel = 15.0;

inline int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline double PixelsToTwips(double pixels) {
    return pixels * TwipsPerPixel;
}

// Twips to 0.01 mm, the unit in which a picture reports its size.
inline double TwipsToHimetric(double twips) {
    return twips * 2540.0 / 1440.0;
}
