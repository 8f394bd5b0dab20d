// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "parsing/ChordSymbol.h"

#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

// One fingering: a fret per string (string 1 the first of a position line),
// -1 for a string not played, 0 for an open one, and the barres it needs: the
// index finger across the lowest fret, and a partial one higher up.
struct Voicing {
    struct Barre {
        int Fret = 0;  // 0: none
        int First = 0; // strings First..Last, 1-based
        int Last = 0;
    };
    std::array<int8_t, 8> Fret{};
    int Strings = 0;
    Barre Main;
    Barre Partial; // one finger across 2 to 4 strings above the main fret
    int Fingers = 0;

    int MinFret() const;
    int MaxFret() const;
    // As the position file writes it: "1*6-1-2-3-3-1".
    QString ToPositionLine() const;
};

// Finds every playable fingering of a chord on a fretted instrument of 3 to 7
// strings, best first, as a guitarist would pick them: open and low
// positions, the root (or the given bass) lowest, no muted strings between
// sounding ones, fewer fingers, the fullest sound.
class VoicingFinder {
public:
    static constexpr int MaxFret = 15;
    static constexpr int MaxFingers = 4;
    static constexpr int MaxSpan = 4;

    // Open pitches (MIDI numbers) of strings 1..N, as a position file lists them.
    explicit VoicingFinder(std::vector<int> openPitches);

    static std::vector<int> StandardGuitar() { return {64, 59, 55, 50, 45, 40}; }
    // G C E A with the high, re-entrant G.
    static std::vector<int> Ukulele() { return {69, 64, 60, 67}; }

    int StringCount() const { return static_cast<int>(m_open.size()); }
    std::vector<Voicing> Find(const ChordSymbol &chord) const;
    // Up to count voicings in different places on the neck, the best first.
    std::vector<Voicing> Pick(const ChordSymbol &chord, size_t count) const;

    // True when the fingering sounds exactly the chord and a hand can play it:
    // the check the finder applies to what it returns.
    bool Playable(const Voicing &v) const;

    // What the finder knows of a fingering's sound besides its frets.
    struct Sound {
        bool RootLowest = true; // the root, or the bass asked for, is lowest
        // A second or a fourth between the two lowest notes: 4, or 3 where
        // the chord asks for it (sus); 0 for none.
        int CloseBottom = 0;
        // The shape of the chord's parent (ChordSymbol::Parent), as books
        // print C/G as C with a G below it and Gsus4 as G with C for B.
        bool LikeParent = false;
        bool Slash = false; // a bass asked for
    };
    // Score, then the highest fret, the muted strings, the fingers: sorted
    // ascending, the way a guitarist weighs them.
    using Ranking = std::tuple<int, int, int, int>;
    static Ranking Rank(const Voicing &v, const Sound &sound);

private:
    bool Fit(Voicing &v) const;
    Sound SoundOf(const Voicing &v, const ChordSymbol &chord, bool bReentrant,
                  const Voicing *parent) const;
    std::vector<int> m_open;
    // First fingerings of parent chords, by ChordSymbol::Key(). A finder is
    // used by one thread at a time.
    mutable std::map<QString, std::optional<Voicing>> m_parents;
};
