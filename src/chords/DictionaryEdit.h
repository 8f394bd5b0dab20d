// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class Chord;

// Adding a chord the dictionary lacks: fingerings from the voicing finder,
// written as a new section at the end of the loaded position file.
namespace dictionaryedit {

// The tuning of a loaded dictionary, known by its strings: six for a
// guitar in standard tuning, four for a ukulele (G C E A). Empty otherwise.
std::vector<int> TuningOf(const Chord &chord);

// The section text for sChordName (CR LF), or an AppError with a Japanese
// message: a name the reader cannot read, an instrument whose tuning is not
// known, a chord with no playable fingering.
QString MakeSection(const Chord &chord, const QString &sChordName);

// Appends the section to the dictionary's file (CP932, atomically, every
// other line kept). The caller reloads the file.
void AddToFile(const Chord &chord, const QString &sChordName);

// A user's copy of a shipped dictionary rebuilt on a newer shipped file: the
// shipped bytes, then each section of the copy whose name the shipped file
// lacks, byte for byte, in the copy's order.
QByteArray Rebase(const QByteArray &shipped, const QByteArray &copy);

} // namespace dictionaryedit
