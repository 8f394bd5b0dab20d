#include "score/Zoom.h"

#include "platform/Twips.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace zoom {

int In(int iPercent) {
    for (const int step : kSteps) {
        if (step > iPercent) {
            return step;
        }
    }
    return std::end(kSteps)[-1];
}

int Out(int iPercent) {
    for (auto it = std::rbegin(kSteps); it != std::rend(kSteps); ++it) {
        if (*it < iPercent) {
            return *it;
        }
    }
    return kSteps[0];
}

int Nearest(int iPercent) {
    int best = kDefault;
    for (const int step : kSteps) {
        if (std::abs(step - iPercent) < std::abs(best - iPercent)) {
            best = step;
        }
    }
    return best;
}

int Pixels(int iPixels, int iPercent) {
    if (iPixels == 0) {
        return 0;
    }
    return std::max(1, (iPixels * iPercent + 50) / 100);
}

int32_t Twips(int iPixels, int iPercent) {
    return twips::FromPx(Pixels(iPixels, iPercent));
}

int32_t ScaleTwips(int32_t lTwips, int iPercent) {
    return (lTwips * iPercent + 50) / 100;
}

int LineWidth(int iPixels, int iPercent) {
    return std::max(1, (iPixels * iPercent + 25) / 100);
}

} // namespace zoom
