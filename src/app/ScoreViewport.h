#pragma once

#include <QPoint>

#include <cstdint>

// Scroll arithmetic of the score's viewport that needs no window.
namespace scoreviewport {

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
    void Reset() { m_rest = QPoint(); }

private:
    // What is left of partial notches, in eighths of a degree.
    QPoint m_rest;
};

} // namespace scoreviewport
