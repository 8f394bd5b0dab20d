// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/Capo.h"

#include "parsing/ChordSymbol.h"
#include "platform/AppError.h"

#include <exception>

Capo::Capo()
    : m_roots{"C#", "Db", "D#", "Eb", "F#", "Gb", "G#", "Ab", "A#",
              "Bb", "C",  "D",  "E",  "F",  "G",  "A",  "B"} {
    // Every step lands on a natural or a sharp.
    const char *steps[][2] = {{"C", "B"},  {"C#", "C"}, {"Db", "C"}, {"D", "C#"}, {"D#", "D"},
                              {"Eb", "D"}, {"E", "D#"}, {"F", "E"},  {"F#", "F"}, {"Gb", "F"},
                              {"G", "F#"}, {"G#", "G"}, {"Ab", "G"}, {"A", "G#"}, {"A#", "A"},
                              {"Bb", "A"}, {"B", "A#"}};
    for (const auto &s : steps) {
        m_stepDown.insert(QString::fromLatin1(s[0]).toUpper(), QString::fromLatin1(s[1]));
    }
}

QString Capo::Chord(const QString &sChord) const {
    if (sChord.isEmpty()) {
        return {};
    }
    try {
        // "(C7)" and "C*" move as C7 and C, their marks kept.
        const ChordSymbol::Decoration d = ChordSymbol::StripDecoration(sChord);
        const BassSplit split = SplitBass(d.core);
        if (split.Separator.isEmpty()) {
            return d.before + TransposePart(split.Main) + d.after;
        }
        return d.before + TransposePart(split.Main) + split.Separator + TransposePart(split.Bass) +
               d.after;
    } catch (const std::exception &) {
        throw AppError(ErrorCapo, QStringLiteral("Capo"),
                       sChord + QStringLiteral(" カポ変換でエラーが発生しました"));
    }
}

Capo::BassSplit Capo::SplitBass(const QString &sChord) const {
    const qsizetype slash = sChord.indexOf(u'/');
    if (slash >= 0) {
        return {sChord.left(slash), QStringLiteral("/"), sChord.mid(slash + 1)};
    }
    const qsizetype on = sChord.indexOf(QStringLiteral("on"), 0, Qt::CaseInsensitive);
    if (on >= 0) {
        return {sChord.left(on), sChord.mid(on, 2), sChord.mid(on + 2)};
    }
    return {sChord, QString(), QString()};
}

Capo::RootSplit Capo::SplitRoot(const QString &sPart) const {
    for (const QString &root : m_roots) {
        if (sPart.startsWith(root, Qt::CaseSensitive)) {
            return {root, sPart.mid(root.size())};
        }
    }
    return {sPart, QString()};
}

QString Capo::TransposePart(const QString &sPart) const {
    // Twelve steps reach the sharp spelling of the same note; from there the
    // cycle repeats, so larger capos need no more than 23 steps.
    int steps = m_capo;
    if (steps > 12) {
        steps = 12 + (steps - 12) % 12;
    }
    if (steps == 0) {
        return sPart;
    }
    // Music signs in the spelling the steps know; only for a name that is moved.
    RootSplit split = SplitRoot(ChordSymbol::PlainSigns(sPart));
    for (int i = 0; i < steps; ++i) {
        const auto it = m_stepDown.constFind(split.Root.toUpper());
        if (it == m_stepDown.constEnd()) {
            return sPart;
        }
        split.Root = *it;
    }
    return split.Root + split.Rest;
}
