#pragma once

#include "parsing/ChordSymbol.h"

#include <QString>

#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

// One fingering: a fret per string (string 1 the first of a position line),
// -1 for a string not played, 0 for an open one, and the barre if it needs one.
struct Voicing {
    std::array<int8_t, 8> Fret{};
    int Strings = 0;
    int BarreFret = 0;  // 0: no barre
    int BarreFirst = 0; // strings BarreFirst..BarreLast, 1-based
    int BarreLast = 0;
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

    // What makes a fingering harder or poorer to a guitarist; the lowest
    // total comes first. (A muted string between sounding ones counts four.)
    struct RankWeights {
        int PerFretAbove3 = 2;
        int PerMutedString = 2;
        int RootNotLowest = 8; // the root, or the bass asked for, not the lowest note
        int PerFinger = 1;
        int Barre = 1;
        int PerSoundingString = 1;  // a fuller sound is better
        int OpenAmongHighFrets = 3; // an open string with a fret of 4 or more, 5+ strings
        int OpenBetweenFretted = 2; // an open string inside a shape at fret 3 or more
        int FullStretch = 1;        // four frets wide
    };
    static const RankWeights &Weights() {
        static const RankWeights weights;
        return weights;
    }
    // Score, then the highest fret, the muted strings, the fingers: sorted
    // ascending. bRootLowest: the lowest note is the root or the bass asked
    // for (always true on a re-entrant tuning, which has no bass string).
    using Ranking = std::tuple<int, int, int, int>;
    static Ranking Rank(const Voicing &v, bool bRootLowest);

private:
    bool Fit(Voicing &v) const;
    std::vector<int> m_open;
};
