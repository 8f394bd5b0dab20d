// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chords/Capo.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// A key as a sheet names it: "F", "Bbm", "F#m", "E♭".
struct Key {
    int Pitch = 0; // 0 = C
    bool Minor = false;

    static std::optional<Key> Read(const QString &sName);
    // Moved by semitones, keeping major or minor.
    Key Moved(int iSteps) const;
    // Whether chords in this key are written with flats (F, B♭, Dm, Gm, ...).
    bool PrefersFlats() const;
    // The key's own name in its convention: "B♭", "F#m".
    QString Name() const;
};

// What a cell shows for a chord as written: moved up by the sheet's capo and
// the transposition, down by the capo set in the window, and spelled.
// With no sheet capo, no transposition and sharps this is the capo alone:
// a name that is not moved is shown as written, a moved one lands on a
// natural or a sharp.
class PitchModel {
public:
    enum class Spelling { Sharp = 0, Flat = 1, ByKey = 2 };

    int16_t SheetCapo() const { return m_sheetCapo; }
    void SetSheetCapo(int16_t iCapo) { Change(m_sheetCapo, iCapo); }
    // Semitones, -11 to +11.
    int16_t Transpose() const { return m_transpose; }
    void SetTranspose(int16_t iSteps) { Change(m_transpose, iSteps); }
    int16_t Capo() const { return m_capo.Value(); }
    void SetCapo(int16_t iCapo) {
        m_capo.SetCapo(iCapo);
        m_shown.clear();
    }
    Spelling GetSpelling() const { return m_spelling; }
    void SetSpelling(Spelling spelling) { Change(m_spelling, spelling); }
    // The key the sheet is written in, if it says or its chords show; and
    // whether its written accidentals are mostly flats.
    void SetWrittenKey(std::optional<Key> key, bool bWrittenFlats) {
        m_key = key;
        m_writtenFlats = bWrittenFlats;
        m_shown.clear();
    }
    const std::optional<Key> &WrittenKey() const { return m_key; }

    // Semitones from the written chord to the shape shown.
    int Shift() const { return m_sheetCapo + m_transpose - Capo(); }
    // The key sounding (written + transposition) and that of the shapes.
    std::optional<Key> SoundingKey() const;
    std::optional<Key> ShapeKey() const;

    // The name a cell shows; raises the capo's error for a name it cannot move.
    QString Chord(const QString &sWritten) const;

    // The key a sheet's chords show (each name once, in order): the first
    // chord's root, minor or major as that chord is; and whether flats
    // outnumber sharps among them.
    static std::optional<Key> KeyOfChords(const QStringList &names, bool *flats);

private:
    template <typename T> void Change(T &field, T value) {
        if (field != value) {
            field = value;
            m_shown.clear();
        }
    }
    bool UseFlats() const;
    QString Move(const QString &sWritten) const;
    QString MovePart(const QString &sPart, int iSteps, bool bFlats) const;

    ::Capo m_capo; // splits names the way the capo always has
    int16_t m_sheetCapo = 0;
    int16_t m_transpose = 0;
    Spelling m_spelling = Spelling::Sharp;
    std::optional<Key> m_key;
    bool m_writtenFlats = false;
    // Names shown for names written, while the model stays as it is: a
    // song has a few dozen chords in thousands of cells.
    mutable QHash<QString, QString> m_shown;
};
