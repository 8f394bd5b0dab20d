// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScoreViewport.h"

#include "platform/Twips.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace scoreviewport {

namespace {

constexpr int kNotch = 120;

int64_t PixelsToUnits(int pixels) {
    return int64_t(pixels) * twips::kTwipsPerPixel / kTwipsPerUnit;
}

// Nearest integer, halves to even, held to what a scroll bar takes.
int ScrollMaximum(double units) {
    const double r = std::nearbyint(units);
    return static_cast<int>(std::clamp(r, 0.0, double(std::numeric_limits<int>::max())));
}

} // namespace

ViewLayout LayOut(QSize client, int32_t lBarTwips, int32_t lScoreWidth, int32_t lScoreHeight,
                  bool bPageReturn) {
    using twips::Px;
    ViewLayout l;
    const int32_t W = twips::FromPx(client.width());
    const int32_t H = twips::FromPx(client.height());
    const int32_t V = lBarTwips;
    const int32_t B = lBarTwips;
    if (W - V <= 0 || H - B <= 0) {
        return l;
    }
    l.Valid = true;
    l.View = QRect(0, 0, Px(W - V), Px(H - B));
    const int32_t w = twips::FromPx(l.View.width());
    const int32_t h = twips::FromPx(l.View.height());
    l.HorizontalBar = QRect(0, Px(H - B), Px(W - V), Px(B));
    l.HorizontalEnabled = lScoreWidth >= w;
    l.HorizontalMaximum =
        l.HorizontalEnabled ? ScrollMaximum((lScoreWidth - w) / double(kTwipsPerUnit)) : 0;
    l.VerticalBar = QRect(Px(W - V), 0, Px(V), Px(H - B));
    l.VerticalEnabled = lScoreHeight >= h && !bPageReturn;
    l.VerticalMaximum =
        l.VerticalEnabled ? ScrollMaximum((lScoreHeight - h) / double(kTwipsPerUnit)) : 0;
    return l;
}

int Stepped(int iValue, int iMinimum, int iMaximum, int64_t delta) {
    const int edge = delta < 0 ? iMinimum : iMaximum;
    if (iValue == edge) {
        return iValue;
    }
    const int64_t v = int64_t(iValue) + delta;
    return delta < 0 ? int(std::max<int64_t>(v, edge)) : int(std::min<int64_t>(v, edge));
}

int ScoreOffset(int iValue) {
    return twips::Px(-(int32_t(iValue) * kTwipsPerUnit));
}

int Revealed(int iValue, int iFrom, int iTo, int iView) {
    const auto top = [](int value) { return -ScoreOffset(value); };
    // The first value whose view starts at or past a pixel, and the last
    // that starts at or before it.
    const auto atOrAfter = [&](int px) {
        int v = static_cast<int>(int64_t(px) * twips::kTwipsPerPixel / kTwipsPerUnit);
        while (top(v) < px) {
            ++v;
        }
        return v;
    };
    const auto atOrBefore = [&](int px) {
        int v = atOrAfter(px);
        while (v > 0 && top(v) > px) {
            --v;
        }
        return v;
    };
    if (iTo > top(iValue) + iView) {
        iValue = atOrAfter(iTo - iView);
    }
    if (iFrom < top(iValue)) {
        iValue = atOrBefore(iFrom);
    }
    return std::max(0, iValue);
}

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

int TurnedColumn(const std::vector<int> &starts, int iLeft, int iView, bool bForward) {
    if (bForward) {
        int target = iLeft;
        for (int c : starts) {
            if (c > iLeft && c <= iLeft + iView) {
                target = c; // the last start still in view: a cut column, or the next
            } else if (c > iLeft + iView && target == iLeft) {
                return c;
            }
        }
        return target;
    }
    for (int c : starts) {
        if (c >= iLeft - iView && c < iLeft) {
            return c;
        }
    }
    // Columns wider than the view: the nearest start before.
    int target = iLeft;
    for (int c : starts) {
        if (c < iLeft) {
            target = c;
        }
    }
    return target;
}

} // namespace scoreviewport
