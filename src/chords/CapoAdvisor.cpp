// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/CapoAdvisor.h"

#include "chords/Capo.h"
#include "chords/Chord.h"

#include <algorithm>

namespace capoadvisor {

int FingeringCost(const Chord &chord, int16_t iPositionId) {
    if (iPositionId == 0) {
        return kNoDiagram;
    }
    int cost = 0;
    int fretted = 0;
    int widestBarre = 0;
    int underBarre = 0;
    for (int16_t s = 1; s <= chord.StringSize(); ++s) {
        const int16_t multi = chord.Multi(iPositionId, s);
        if (chord.Flat(iPositionId, s) >= 1) {
            ++fretted;
        }
        if (multi > 1) {
            widestBarre = std::max<int>(widestBarre, multi);
            underBarre += multi - 1;
        }
    }
    if (widestBarre > 0) {
        cost += widestBarre >= 5 ? 6 : 4; // a full barre is the hardest grip
    }
    const int high = chord.FlatMax(iPositionId);
    const int low = chord.FlatMin(iPositionId);
    cost += std::max(0, high - 3);           // up the neck
    cost += 2 * std::max(0, high - low - 2); // a stretch over four frets
    if (fretted - underBarre >= 4) {
        cost += 1; // every finger down
    }
    return cost;
}

Advice Rate(const Chord &chord, const ChordCounts &names) {
    Advice advice;
    Capo capo;
    for (int16_t c = 0; c < kCapos; ++c) {
        capo.SetCapo(c);
        int total = 0;
        for (const auto &[name, cells] : names) {
            total += cells * FingeringCost(chord, chord.SearchPosition(capo.Chord(name)));
            // A high capo leaves a short neck and a thin sound.
            total += cells * std::max(0, c - 5);
        }
        advice.Cost[static_cast<size_t>(c)] = total;
        if (total < advice.Cost[static_cast<size_t>(advice.Easiest)]) {
            advice.Easiest = c;
        }
    }
    return advice;
}

} // namespace capoadvisor
