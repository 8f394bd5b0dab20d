// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/Zoom.h"

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

} // namespace zoom
