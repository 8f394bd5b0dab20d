// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// A chord name as sheets write it ("Am7", "D/F#", "C7(b9,13)", "ConE"), read
// into a root, the intervals above it and an optional bass note. Intervals
// are pitch classes above the root, kept as 12-bit masks (bit 0 the root):
// the required ones must sound, the optional ones may be left out, as
// guitarists leave out the fifth of a four-note chord.
class ChordSymbol {
public:
    // Nothing when the name is not one this reader knows; it never guesses.
    static std::optional<ChordSymbol> Read(const QString &sName);

    // The chord a guitarist's hand starts from: a slash chord without its
    // bass, a sus chord with its third. Nothing for others.
    std::optional<ChordSymbol> Parent() const;

    // Pitch class of the root, 0 = C.
    int Root() const { return m_root; }
    uint16_t Required() const { return m_required; }
    uint16_t Optional() const { return m_optional; }
    // Required and optional, as pitch classes above the root.
    uint16_t Allowed() const { return m_required | m_optional; }
    // Pitch class of the bass of a slash or "on" chord, -1 if none.
    int Bass() const { return m_bass; }

    // Pitch classes (absolute, 0 = C) that must and may sound, the bass
    // among the required ones.
    uint16_t RequiredPitches() const;
    uint16_t AllowedPitches() const;

    // Equal for names of the same sound: "C9" and "C7(9)", "Db" and "C#".
    QString Key() const;

    // A name as a sheet may decorate it: "(C7)" a passing chord, "C*" a
    // voicing of the sheet's own. Read() reads the core; the rest is shown.
    struct Decoration {
        QString before; // "(" or empty
        QString core;
        QString after; // ")", stars, or both
    };
    static Decoration StripDecoration(const QString &sName);

    // Pitch class of a note name ("C", "F#", "Bb"), -1 if it is none.
    static int NotePitch(const QString &sNote);
    // "♯" and "♭" as the letters names use: "E♭" is "Eb".
    static QString PlainSigns(const QString &sName);

private:
    int m_root = 0;
    uint16_t m_required = 0;
    uint16_t m_optional = 0;
    int m_bass = -1;
};
