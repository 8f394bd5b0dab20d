// SPDX-License-Identifier: GPL-3.0-or-later
// Chord names of any text: the reader never fails on them, and every
// fingering the finder returns for a name it reads sounds only that chord,
// all of its required notes, with the bass lowest.
#include "chords/VoicingFinder.h"
#include "parsing/ChordSymbol.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString name =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto chord = ChordSymbol::Read(name);
    if (!chord) {
        return 0;
    }
    if ((chord->Required() & chord->Optional()) != 0 || !(chord->Required() & 1u)) {
        std::abort();
    }
    static const VoicingFinder finder(VoicingFinder::StandardGuitar());
    const std::vector<int> open = VoicingFinder::StandardGuitar();
    for (const Voicing &v : finder.Find(*chord)) {
        uint16_t heard = 0;
        int lowest = 1000;
        for (int s = 0; s < v.Strings; ++s) {
            if (v.Fret[size_t(s)] >= 0) {
                const int p = open[size_t(s)] + v.Fret[size_t(s)];
                heard |= uint16_t(1u << (p % 12));
                lowest = std::min(lowest, p);
            }
        }
        if ((heard & chord->RequiredPitches()) != chord->RequiredPitches() ||
            (heard & ~chord->AllowedPitches()) != 0 ||
            (chord->Bass() >= 0 && lowest % 12 != chord->Bass()) || !finder.Playable(v)) {
            std::abort();
        }
    }
    return 0;
}
