// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

// Scroll arithmetic of the score's viewport that needs no window.
namespace scoreviewport {

// A scroll unit is 10 twips.
constexpr int32_t kTwipsPerUnit = 10;

// Where the viewport and the bars go in the client area, and the bars'
// ranges, all in pixels and scroll units.
struct ViewLayout {
    bool Valid = false; // false: the client is too small to hold the bars
    QRect View;
    QRect HorizontalBar;
    QRect VerticalBar;
    bool HorizontalEnabled = false;
    int HorizontalMaximum = 0;
    bool VerticalEnabled = false;
    int VerticalMaximum = 0;
};

// The client area (pixels) less the bars (lBarTwips thick) holds the score
// (twips). A bar whose score fits is off with an empty range; in page-return
// mode the vertical bar is always off.
ViewLayout LayOut(QSize client, int32_t lBarTwips, int32_t lScoreWidth, int32_t lScoreHeight,
                  bool bPageReturn);

// A bar's value after a step, held to [iMinimum, iMaximum]; formed wide so
// that it cannot wrap.
int Stepped(int iValue, int iMinimum, int iMaximum, int64_t delta);

// The score's offset in pixels for a bar at value iValue.
int ScoreOffset(int iValue);

// A page turn across the page columns of 改ページ (their left edges, in
// pixels, ascending) for a view iView pixels wide whose left edge is at
// iLeft: forward, the column the right edge cuts (or the first beyond it)
// comes to the left edge; back, the first column that ends a view before.
// Returns the new left edge, iLeft when there is none to go to.
int TurnedColumn(const std::vector<int> &starts, int iLeft, int iView, bool bForward);

// The bar value that brings the score's pixels [iFrom, iTo) into a view
// iView pixels long, moving the least; their start wins when they cannot
// all be seen.
int Revealed(int iValue, int iFrom, int iTo, int iView);

// Steps of the two scroll bars, in scroll units, that wheel input asks for.
struct WheelSteps {
    int64_t Horizontal = 0;
    int64_t Vertical = 0;
};

// Turns wheel events into scroll-bar steps. A notch (120 eighths of a
// degree) is one arrow-key step; a high-resolution wheel's partial notches
// add up; pixel deltas (touchpads) scroll by their own length. Shift turns a
// vertical wheel horizontal.
class WheelScroll {
public:
    WheelSteps Take(QPoint angleDelta, QPoint pixelDelta, bool bShift, int iHorizontalStep,
                    int iVerticalStep);

private:
    // What is left of partial notches, in eighths of a degree.
    QPoint m_rest;
};

} // namespace scoreviewport
