// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

class PrivateProfile;

// Each sheet as it was last played, per sheet file (its full path): the
// capo, the transposition, the zoom, where the view stood, and the
// fingerings chosen for whole chords. The most recent sheets come first;
// only MaxSongs are kept.
class SongMemory {
public:
    static constexpr int MaxSongs = 200;
    // Chord name (as shown) and position line ("x-3-2-0-1-0").
    using Choices = std::vector<std::pair<QString, QString>>;

    struct Song {
        // False for a sheet known only by its fingerings (or whose state a
        // hand edit spoiled): it opens as one never opened before.
        bool HasState = false;
        int16_t Capo = 0;
        int16_t Transpose = 0;
        int16_t Zoom = 100;
        int32_t ScrollX = 0; // the scroll bars' values
        int32_t ScrollY = 0;
        Choices Voicings;
    };

    // Section [Songs]: Sheet1=path, State1=capo transpose zoom x y,
    // Chords1=C=x-3-2-0-1-0 G=3-2-0-0-0-3, ... The fingerings an older
    // version kept in [Voicings] are read in once, after these.
    void Load(const PrivateProfile &profile);
    void Save(const PrivateProfile &profile) const;

    // Null for a sheet not remembered.
    const Song *Find(const QString &sPath) const;
    Choices Of(const QString &sPath) const;
    // Sets what is remembered of a sheet and makes it the most recent.
    void Set(const QString &sPath, const Song &song);
    // Only the fingerings, keeping the rest (a sheet not remembered gets no
    // state); none left and no state forgets the sheet.
    void SetVoicings(const QString &sPath, const Choices &choices);
    int Size() const { return static_cast<int>(m_songs.size()); }

private:
    std::vector<std::pair<QString, Song>> m_songs; // the most recent first
    int m_stored = 0;                              // songs the file had
    bool m_hadVoicings = false;                    // an older [Voicings] was read
};
