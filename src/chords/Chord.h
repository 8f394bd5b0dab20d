// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chords/OrderedMap.h"

#include <QHash>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The chord dictionary: the fingerings ("positions") of every chord name for
// an instrument of 3 to 7 strings, loaded from a position file.
class Chord {
public:
    // Name (chord or alias) to the id of the chord's first position.
    using NameDictionary = OrderedMap<QString, int16_t>;
    // Position id to every name of that chord, space-joined.
    using AliasMap = OrderedMap<int16_t, QString>;

    static constexpr int32_t ErrorFormat = static_cast<int32_t>(0x8004C379u);
    static constexpr int32_t ErrorFretRange = static_cast<int32_t>(0x8004C37Au);
    static constexpr int32_t ErrorMultiNotNumber = static_cast<int32_t>(0x8004C383u);
    static constexpr int32_t ErrorMultiRange = static_cast<int32_t>(0x8004C384u);
    static constexpr int32_t ErrorFret = static_cast<int32_t>(0x8004C385u);
    static constexpr int32_t ErrorAliasEmpty = static_cast<int32_t>(0x8004C38Du);
    static constexpr int32_t ErrorAliasTarget = static_cast<int32_t>(0x8004C38Eu);

    Chord();

    // Empties the dictionary; Filename and the line counter stay.
    void Initialize();
    // sAliasName becomes a further name of the registered chord sChordName.
    void RegistAlias(const QString &sChordName, const QString &sAliasName);
    // Empties the dictionary and loads the file; the first error ends the
    // load and keeps what was registered before it.
    void LoadChordPosition(const QString &sFname);
    // Adds one fingering line ("3-0-0-0-2-3") as the last position of sChordName.
    void RegistChord(const QString &sChordName, const QString &sPosition);

    // Positions from iPositionId to the end of its chain.
    int16_t PositionSize(int16_t iPositionId) const;
    // First position id of a chord ("maj" read as "M"), 0 when unknown. A
    // name not in the file finds a chord of the same sound that is.
    int16_t SearchPosition(const QString &sChordName) const;
    int16_t NextPosition(int16_t iCurrent) const;
    // -1 not played, 0 open, 1 to 20 the fret.
    int16_t Flat(int16_t iPositionId, int16_t iString) const;
    // Strings the finger on this string's fret covers, towards higher numbers.
    int16_t Multi(int16_t iPositionId, int16_t iString) const;
    // The position as the file writes it ("1*6-1-2-3-3-1"); empty for none.
    QString PositionLine(int16_t iPositionId) const;
    int16_t FlatMin(int16_t iPositionId) const;
    int16_t FlatMax(int16_t iPositionId) const;
    int16_t FlatSize() const { return m_flatSize; }
    int16_t StringSize() const { return m_stringSize; }
    const QString &Filename() const { return m_filename; }
    AliasMap AliasDictionary() const;
    // A copy of this dictionary in which each (name, position line) given
    // comes first among its chord's fingerings, for one sheet's own
    // definitions; this dictionary is not changed. A line that does not
    // read is left out.
    std::shared_ptr<Chord> WithFirst(const std::vector<std::pair<QString, QString>> &defines) const;

    // The live container, shared; a reload replaces it with a new one.
    std::shared_ptr<NameDictionary> ChordDictionary() const { return m_dictionary; }

private:
    struct Position {
        std::array<int16_t, 8> Flat{};  // slots 1..7
        std::array<int16_t, 8> Multi{}; // slots 1..7
        int16_t FlatMin = 0;
        int16_t FlatMax = 0;
        int16_t NextPosition = 0;
    };

    QString MakeMessage(const QString &sText) const;
    [[noreturn]] void Raise(int32_t number, const QString &sText) const;
    Position ParsePosition(const QString &sPosition);
    bool ParsePlainFlats(const QString &sPosition, Position &p) const;
    void ParseFlats(const QString &sPosition, Position &p);
    Position Finish(Position &p);
    void ParseFlat(const QString &sEntry, int16_t iString, int16_t &flat, int16_t &multi) const;
    const Position *At(int16_t iPositionId) const;
    bool ValidString(int16_t iString) const { return iString >= 1 && iString <= 7; }

    int16_t m_line = 0;
    QString m_filename;
    int16_t m_flatSize = 4;
    int16_t m_stringSize = -1;
    std::vector<Position> m_positions;
    std::shared_ptr<NameDictionary> m_dictionary;
    // Chord sound (ChordSymbol::Key) to position id, built on the first
    // lookup that needs it; any change to the dictionary drops it.
    mutable std::shared_ptr<QHash<QString, int16_t>> m_bySound;
    // The last fingering of each chain, by the chain's first id (0: not known
    // yet), so that adding the n-th fingering of a chord does not walk the
    // n-1 before it.
    std::vector<int16_t> m_chainEnd;
};
