#include "app/ScoreViewport.h"

#include "platform/Twips.h"

#include <cstdlib>

namespace scoreviewport {

namespace {

constexpr int kNotch = 120;
// A pixel is 15 twips; a scroll unit is 10.
constexpr int64_t kTwipsPerPixel = twips::kTwipsPerPixel;
constexpr int64_t kTwipsPerUnit = 10;

int64_t PixelsToUnits(int pixels) {
    return int64_t(pixels) * kTwipsPerPixel / kTwipsPerUnit;
}

} // namespace

WheelSteps WheelScroll::Take(QPoint angleDelta, QPoint pixelDelta, bool bShift, int iHorizontalStep,
                             int iVerticalStep) {
    if (bShift && angleDelta.x() == 0 && pixelDelta.x() == 0) {
        angleDelta = QPoint(angleDelta.y(), 0);
        pixelDelta = QPoint(pixelDelta.y(), 0);
    }
    // Wheel away from the user (positive) moves towards the top and the left.
    WheelSteps steps;
    if (!pixelDelta.isNull()) {
        m_rest = QPoint();
        steps.Horizontal = -PixelsToUnits(pixelDelta.x());
        steps.Vertical = -PixelsToUnits(pixelDelta.y());
        return steps;
    }
    m_rest += angleDelta;
    const int64_t notchesX = m_rest.x() / kNotch;
    const int64_t notchesY = m_rest.y() / kNotch;
    m_rest -= QPoint(int(notchesX * kNotch), int(notchesY * kNotch));
    steps.Horizontal = -notchesX * iHorizontalStep;
    steps.Vertical = -notchesY * iVerticalStep;
    return steps;
}

} // namespace scoreviewport
