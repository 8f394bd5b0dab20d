// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "parsing/ChordPro.h"
#include "parsing/SheetLine.h"
#include "parsing/basString.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class Chord;

// Turns the text of a chord sheet into a flat list of tokens, one per chord
// cell: the chord name (maybe empty), the lyric under it and its row number.
class ChordToken {
public:
    ChordToken();

    // A dictionary the holder may hand over; parsing does not use it.
    void SetChord(std::shared_ptr<Chord> clsChord) { m_chord = std::move(clsChord); }
    const std::shared_ptr<Chord> &GetChord() const { return m_chord; }

    // Stores the text and parses it with the current TabSize and Max. More
    // tokens than Max raise 0x8004C38C; the tokens before stay readable.
    void SetText(const QString &sText);
    const QString &Text() const { return m_text; }

    // How characters count in columns; CodePage unless a Unicode file is read.
    basString::ColumnRule ColumnRule() const { return m_rule; }
    void SetColumnRule(basString::ColumnRule rule) { m_rule = rule; }

    int16_t TabSize() const { return m_tabSize; }
    void SetTabSize(int16_t iTabSize) { m_tabSize = iTabSize; }
    int16_t Max() const { return m_max; }
    void SetMax(int16_t iMax) { m_max = iMax; }

    int16_t Size() const { return static_cast<int16_t>(m_tokens.size() - 1); }
    // True for a character that may begin a chord: C D E F G A B, half-width
    // or full-width.
    static bool IsNoteLetter(QChar c);

    // Token indexes run from 1 to Size; others give an empty record.
    QString ChordName(int16_t iIndex) const;
    QString Word(int16_t iIndex) const;
    int32_t LineNo(int16_t iIndex) const;
    // True for a mark of a chord line ("x2", "N.C.", "/"): its text is the
    // word, its chord name empty, and it is shown as the sheet's own text.
    bool IsMark(int16_t iIndex) const;

    // What a sheet says of itself: its capo (-1 none; {capo: n}, or a
    // "Capo n" line before the first chord line), its key ({key}, a "Key:"
    // line; empty if none), its transposition ({transpose}), its title
    // ({title}, else its first line before any chords), and the fingerings a ChordPro sheet
    // defines, ahead of the dictionary's own.
    int16_t SheetCapo() const { return m_sheetCapo; }
    const QString &SheetKey() const { return m_sheetKey; }
    int16_t SheetTranspose() const { return m_sheetTranspose; }
    const QString &Title() const { return m_title; }
    const std::vector<chordpro::Define> &Defines() const { return m_defines; }

    static constexpr int32_t ErrorTooManyTokens = static_cast<int32_t>(0x8004C38Cu);

private:
    struct Record {
        QString ChordName;
        QString Word;
        int32_t LineNo = 0;
        bool Mark = false;
    };

    // A lyric line with the columns of its units worked out once for all the
    // chords above it: end[i] is the last column unit i covers (1-based); a
    // unit of no width (a combining mark) ends where the one before it does.
    struct Lyric {
        QString text;
        std::vector<int32_t> end;
    };

    // A line read as chords and marks: the line with a section prefix
    // ("Intro:", "[Verse]") blanked, column for column, and that prefix.
    struct ChordLine {
        bool chords = false;
        QString source;
        QString prefix;
    };

    void ReadChordPro(const QString &sText);
    QString ConvertLine(const QString &sLine) const;
    ChordLine ReadChordLine(const QString &sLine) const;
    // True for a line that may be the lyric of the chord line above it: not
    // chords, not a section label, not metadata.
    bool IsLyric(const QString &sLine) const;
    // What a word is, remembered for the sheet being read: a sheet names the
    // same chords again and again.
    sheetline::Kind KindOf(const QString &sToken) const;
    void PairChordLine(const ChordLine &chordLine, const Lyric &lyric);
    Lyric MakeLyric(const QString &sLine) const;
    static QString CutWord(const Lyric &lyric, int32_t s, int32_t e);
    void AddToken(const QString &sChordName, const QString &sWord, bool bMark = false);
    const Record *At(int16_t iIndex) const;

    std::shared_ptr<Chord> m_chord;
    QString m_text;
    std::vector<Record> m_tokens;
    int16_t m_tabSize = 4;
    basString::ColumnRule m_rule = basString::ColumnRule::CodePage;
    int16_t m_max = 300;
    int32_t m_row = 1;
    int16_t m_sheetCapo = -1;
    QString m_sheetKey;
    int16_t m_sheetTranspose = 0;
    QString m_title;
    std::vector<chordpro::Define> m_defines;
    const QString m_separators;
    mutable QHash<QString, sheetline::Kind> m_kinds;
};
