// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

// ChordPro sheets ("[C]ふる[G]さと", "{title: ...}") read into the rows of
// cells the chords-over-lyrics parser makes: each row a list of chord and
// word pairs.
namespace chordpro {

struct Cell {
    QString Chord;
    QString Word;
};
using Row = std::vector<Cell>;

// A fingering the sheet defines for itself: the chord name and a position
// line ("0-1-2-2-0-X", string 1 first).
struct Define {
    QString Name;
    QString Position;
};

struct Sheet {
    std::vector<Row> Rows;
    int16_t Capo = -1;     // from {capo: n}, -1 when none
    int16_t Transpose = 0; // from {transpose: n}, -11 to 11
    QString Key;           // from {key: X}, the first
    QString Title;         // from {title: ...}, the first
    std::vector<Define> Defines;
};

// True when the text (lines ended by CR LF) has a {directive} line, or a line
// where an inline [X] that reads as a chord stands next to lyric text.
// Section headers alone on a line ("[Verse]") do not count.
bool IsChordPro(const QString &sText);

Sheet Read(const QString &sText);

// The position line of a {define}/{chord} fingering ("base-fret 1 frets x 0
// 2 2 1 0", lowest string first) for an instrument of that many strings;
// empty when it cannot be read.
QString DefineToPosition(const QString &sSpec, QString &sName);

} // namespace chordpro
