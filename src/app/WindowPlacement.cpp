// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPlacement.h"

#include "platform/Twips.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace windowplacement {

namespace {

constexpr int64_t kTwipsPerPixel = twips::kTwipsPerPixel;
// What must stay on the desktop to take hold of the window again.
constexpr int64_t kStrip = 100;

// Halves round up, as qRound does elsewhere.
int64_t Px(int64_t twips) {
    return int64_t(std::floor(double(twips) / kTwipsPerPixel + 0.5));
}

} // namespace

QRect Restore(int64_t lLeft, int64_t lTop, int64_t lWidth, int64_t lHeight, const QRect &desktop,
              const QSize &screen) {
    const int64_t maxW = std::max(1, screen.width());
    const int64_t maxH = std::max(1, screen.height());
    const int64_t w = std::clamp<int64_t>(Px(lWidth), std::min<int64_t>(MinimumWidth, maxW), maxW);
    const int64_t h =
        std::clamp<int64_t>(Px(lHeight), std::min<int64_t>(MinimumHeight, maxH), maxH);
    const int64_t stripX = std::min(w, kStrip);
    const int64_t stripY = std::min(h, kStrip);
    const int64_t x = std::clamp<int64_t>(
        Px(lLeft), int64_t(desktop.left()) - w + stripX,
        std::max<int64_t>(desktop.left(), int64_t(desktop.right()) + 1 - stripX));
    const int64_t y = std::clamp<int64_t>(
        Px(lTop), int64_t(desktop.top()) - h + stripY,
        std::max<int64_t>(desktop.top(), int64_t(desktop.bottom()) + 1 - stripY));
    return QRect(int(x), int(y), int(w), int(h));
}

int32_t ToTwips(int64_t pixels) {
    return int32_t(std::clamp<int64_t>(pixels * kTwipsPerPixel, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
}

} // namespace windowplacement
