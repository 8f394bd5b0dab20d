// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AutoScroll.h"

#include <algorithm>
#include <cmath>

namespace {

// Pixels a second at 100%: from a slow ballad to a quick read.
constexpr double kPixelsPerSecond[] = {6, 9, 12, 16, 20, 25, 32, 40, 50};
constexpr int64_t kPageMs[] = {40000, 32000, 26000, 21000, 17000, 14000, 11000, 8000, 6000};
// A pixel is 15 twips, a scroll unit 10.
constexpr double kUnitsPerPixel = 1.5;

} // namespace

int AutoScroll::ClampSpeed(int iSpeed) {
    return std::clamp(iSpeed, MinSpeed, MaxSpeed);
}

double AutoScroll::UnitsPerSecond(int iSpeed, int iZoom) {
    return kPixelsPerSecond[ClampSpeed(iSpeed) - MinSpeed] * kUnitsPerPixel * iZoom / 100.0;
}

int64_t AutoScroll::PageMs(int iSpeed) {
    return kPageMs[ClampSpeed(iSpeed) - MinSpeed];
}

void AutoScroll::Start(int64_t nowMs) {
    m_running = true;
    m_held = false;
    m_last = nowMs;
    m_pageSince = nowMs;
    m_pausedUntil = 0;
    m_carry = 0;
}

void AutoScroll::UserScrolled(int64_t nowMs) {
    m_pausedUntil = std::max(m_pausedUntil, nowMs + PauseMs);
}

void AutoScroll::SetHeld(bool bHeld, int64_t nowMs) {
    m_held = bHeld;
    if (!bHeld) {
        UserScrolled(nowMs);
    }
}

bool AutoScroll::Paused(int64_t nowMs) const {
    return m_held || nowMs < m_pausedUntil;
}

AutoScroll::Move AutoScroll::Smooth(int64_t nowMs, int iValue, int iMaximum,
                                    double dUnitsPerSecond) {
    const int64_t elapsed = std::clamp<int64_t>(nowMs - m_last, 0, MaxTickMs);
    m_last = nowMs;
    if (!m_running) {
        return {iValue, false};
    }
    if (iValue >= iMaximum) {
        m_running = false;
        return {iMaximum, true};
    }
    if (Paused(nowMs)) {
        m_carry = 0;
        return {iValue, false};
    }
    m_carry += dUnitsPerSecond * static_cast<double>(elapsed) / 1000.0;
    // (A hair over, so that tenths adding up to a whole give the whole.)
    const double whole = std::floor(m_carry + 1e-9);
    m_carry -= whole;
    const int value = static_cast<int>(std::min<double>(iMaximum, iValue + whole));
    return {value, false};
}

AutoScroll::Move AutoScroll::Pages(int64_t nowMs, int iValue, int iMaximum,
                                   const std::vector<int> &columns) {
    m_last = nowMs;
    if (!m_running) {
        return {iValue, false};
    }
    if (Paused(nowMs)) {
        // The wait starts again from what the user chose to look at.
        m_pageSince = nowMs;
        return {iValue, false};
    }
    if (nowMs - m_pageSince < PageMs(m_speed)) {
        return {iValue, false};
    }
    m_pageSince = nowMs;
    const auto next = std::upper_bound(columns.begin(), columns.end(), iValue);
    if (iValue >= iMaximum || next == columns.end()) {
        m_running = false;
        return {iValue, true};
    }
    return {std::min(*next, iMaximum), false};
}
