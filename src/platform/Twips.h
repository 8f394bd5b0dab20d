// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstdint>

// Lengths of the score and the forms are twips: 15 to a pixel at 1x.
namespace twips {

constexpr int32_t kTwipsPerPixel = 15;

// Halves round up, as everywhere a widget is moved or sized.
inline int Px(int32_t lTwips) {
    return qRound(lTwips / double(kTwipsPerPixel));
}

constexpr int32_t FromPx(int iPixels) {
    return iPixels * kTwipsPerPixel;
}

} // namespace twips
