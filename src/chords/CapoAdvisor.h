// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class Chord;

// How hard a sheet is to play at each capo, from the first fingering the
// dictionary gives each chord: barres, frets up the neck, wide stretches,
// four fingers and chords with no diagram all cost. It advises; it never
// sets the capo.
namespace capoadvisor {

constexpr int16_t kCapos = 10; // 0 to 9
// A chord the dictionary has no fingering for.
constexpr int kNoDiagram = 12;

// The cost of fingering iPositionId (0: none) of chord.
int FingeringCost(const Chord &chord, int16_t iPositionId);

// The sheet's chord names as written, each once with the cells it has.
using ChordCounts = std::vector<std::pair<QString, int>>;

struct Advice {
    std::array<int, kCapos> Cost{}; // by capo
    int16_t Easiest = 0;            // the lowest cost, the lower capo on a tie
};
Advice Rate(const Chord &chord, const ChordCounts &names);

} // namespace capoadvisor
