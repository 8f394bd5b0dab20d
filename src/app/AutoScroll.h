// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// Auto-scroll as arithmetic on a clock the caller reads (milliseconds), so
// that a test can drive it with a fake one. The view moves smoothly down
// at the speed's pace, or, in page-return mode, one page column at a time
// after a pause the speed sets. The user's own scrolling pauses it.
class AutoScroll {
public:
    static constexpr int MinSpeed = 1;
    static constexpr int MaxSpeed = 9;
    static constexpr int DefaultSpeed = 3;
    // How long it holds still after the user scrolled.
    static constexpr int64_t PauseMs = 1500;
    // A late tick moves at most this much time's worth: no jumps.
    static constexpr int64_t MaxTickMs = 100;

    static int ClampSpeed(int iSpeed);
    // Scroll units (10 twips) a second at a speed and a zoom in percent.
    static double UnitsPerSecond(int iSpeed, int iZoom);
    // How long a page column stays before the next one.
    static int64_t PageMs(int iSpeed);

    void Start(int64_t nowMs);
    void Stop() { m_running = false; }
    bool Running() const { return m_running; }
    int Speed() const { return m_speed; }
    void SetSpeed(int iSpeed) { m_speed = ClampSpeed(iSpeed); }

    // The user scrolled: hold still for PauseMs.
    void UserScrolled(int64_t nowMs);
    // The user holds a scroll bar's thumb: hold still until released.
    void SetHeld(bool bHeld, int64_t nowMs);
    bool Paused(int64_t nowMs) const;

    struct Move {
        int Value = 0;
        bool Ended = false; // the end of the sheet: it has stopped
    };
    // Where a bar at iValue of [0, iMaximum] goes at nowMs.
    Move Smooth(int64_t nowMs, int iValue, int iMaximum, double dUnitsPerSecond);
    // The same by page columns starting at columns (scroll units, ascending).
    Move Pages(int64_t nowMs, int iValue, int iMaximum, const std::vector<int> &columns);

private:
    bool m_running = false;
    bool m_held = false;
    int m_speed = DefaultSpeed;
    int64_t m_last = 0;
    int64_t m_pausedUntil = 0;
    int64_t m_pageSince = 0;
    double m_carry = 0;
};
