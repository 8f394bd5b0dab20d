// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chords/VoicingFinder.h"

#include <QString>
#include <QStringList>

// Writes position-file text from chord names: the fingerings the voicing
// finder picks, a section per chord, and the other spellings of a name as
// aliases of it.
namespace dictionarybuilder {

// One chord type of the standard set: its suffix and how many fingerings
// it gets.
struct ChordType {
    const char *Suffix;
    int Fingerings;
};

// The suffixes of the standard set, the common ones first.
const std::vector<ChordType> &StandardTypes();

// The names of the standard set for a root spelled with a sharp or natural
// ("C#", "D"), and for its slash chords.
QStringList StandardNames(bool bWithSlashChords);

// Other ways of writing name that sheets use: the flat spelling of a sharp
// root or bass, "on" for "/", and a few common suffix spellings.
QStringList OtherSpellings(const QString &sName);

// A section for the chord: "[name]" and its fingerings, CR LF line ends;
// empty when the name cannot be read or no fingering is found.
QString Section(const VoicingFinder &finder, const QString &sName, int iFingerings);

// The whole dictionary: header, then for each name its section and the
// alias sections of its other spellings (a spelling already written, or one
// of the same sound as a chord written before, becomes an alias of that).
QString Build(const VoicingFinder &finder, const QStringList &names, const QString &sHeader,
              bool bAliases);

} // namespace dictionarybuilder
