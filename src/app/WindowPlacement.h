// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <cstdint>

// Where the main window goes at start-up, and what its geometry is stored as.
namespace windowplacement {

// The smallest window restored: the menu bar and a few rows of cells.
constexpr int MinimumWidth = 320;
constexpr int MinimumHeight = 240;

// The stored rectangle (twips, as read from the settings file) in pixels,
// held to the desktop: at least the minimum, at most the size of the screen,
// and never so far off that less than a strip of it stays on the desktop.
// What fits is unchanged.
QRect Restore(int64_t lLeft, int64_t lTop, int64_t lWidth, int64_t lHeight, const QRect &desktop,
              const QSize &screen);

// Pixels to stored twips, held to 32 bits.
int32_t ToTwips(int64_t pixels);

} // namespace windowplacement
