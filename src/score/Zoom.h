// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Twips.h"

#include <cstdint>

// The score's zoom, in percent. Lengths of the score scale by it; a length
// that was a whole number of pixels at 100% stays whole at every step, so
// that diagrams stay crisp.
namespace zoom {

constexpr int kDefault = 100;
constexpr int kSteps[] = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};

// The next step up or down from iPercent; the end steps stay.
int In(int iPercent);
int Out(int iPercent);
// The step nearest to iPercent (a hand-edited settings value).
int Nearest(int iPercent);

// Pixels of a length that is iPixels at 100%: rounded, at least 1 when iPixels is.
constexpr int Pixels(int iPixels, int iPercent) {
    if (iPixels == 0) {
        return 0;
    }
    const int scaled = (iPixels * iPercent + 50) / 100;
    return scaled < 1 ? 1 : scaled;
}
// The same length in twips, a whole number of pixels.
constexpr int32_t Twips(int iPixels, int iPercent) {
    return twips::FromPx(Pixels(iPixels, iPercent));
}
// Twips that need not fall on whole pixels (margins, gaps).
constexpr int32_t ScaleTwips(int32_t lTwips, int iPercent) {
    return (lTwips * iPercent + 50) / 100;
}
// Width of a line that is iPixels wide at 100%: thin lines stay thin a
// little longer than rounding would keep them, so that diagrams do not turn
// heavy at 150%.
constexpr int LineWidth(int iPixels, int iPercent) {
    const int scaled = (iPixels * iPercent + 25) / 100;
    return scaled < 1 ? 1 : scaled;
}

} // namespace zoom
