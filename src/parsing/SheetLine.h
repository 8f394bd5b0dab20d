// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the words of a chords-over-lyrics sheet are, as people write them:
// chords, the marks that stand among chords (repeats, N.C., bar fills,
// arrows), section labels ("Aメロ", "Chorus:") and the metadata lines
// ("Key: G", "Capo 2") that are never chord lines.
namespace sheetline {

enum class Kind {
    Chord,  // a chord the reader reads, maybe in parentheses or starred: "(C7)", "C*"
    Shaped, // starts with A-G and uses only what chord names use, but unread: shown as a chord
    Mark,   // "x2", "(×2)", "N.C.", "/", "%", "-", "→", a lone parenthesis
    Arrow,  // "→" and what follows it, to the end of the line
    Other   // anything else: the line is text
};

// The kind of one token of a line (half- or full-width).
Kind KindOf(const QString &sToken);

// True for a line's first token that makes the line metadata, never chords:
// Key, Capo, Tempo, BPM, Time, Title, Artist, Words, Music, 作詞, 作曲, 編曲,
// 歌, カポ, キー, with or without a colon.
bool IsMetadataWord(const QString &sToken);

// True when the text, trimmed, is a section label: Aメロ, サビ, イントロ, 1番,
// Verse 2, Chorus:, [Intro], 【サビ】, (Bメロ), ... in any case, with a
// number, a trailing colon, in brackets.
bool IsSectionLabel(const QString &sText);

// The length of a section prefix at the start of a chord line ("Intro:",
// "イントロ：", "[Verse 1]", "【サビ】", "(Aメロ)", a section word alone before
// the first blank), leading blanks included; 0 when the line has none.
qsizetype SectionPrefixLength(const QString &sLine);

// The capo a metadata line gives: "Capo 2", "capo: 3", "CAPO：3 fret",
// "カポ2", "Key: G　Capo 2" (half- or full-width); -1 when it gives none.
// Only a line whose first word is metadata counts: a lyric that mentions
// a capo does not.
int CapoMention(const QString &sLine);

// The key a metadata line names: "Key: G", "key=F#m", "キー：E♭"; empty
// when it names none.
QString KeyMention(const QString &sLine);

} // namespace sheetline
