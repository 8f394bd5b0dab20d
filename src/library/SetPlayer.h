// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

// Playing a list of songs in order: a setlist, or the library's list as it
// stands. Songs whose file is missing are passed over.
class SetPlayer {
public:
    struct Song {
        QString Path;
        QString Title;
        int Capo = -1; // -1: the song's own
        bool HasTranspose = false;
        int Transpose = 0;
        bool Missing = false;
    };

    // A new list; iCurrent is the song playing (-1 for none yet).
    void Start(std::vector<Song> songs, int iCurrent = -1);
    void Stop() { *this = SetPlayer(); }
    bool Active() const { return !m_songs.empty(); }
    int Count() const { return static_cast<int>(m_songs.size()); }
    int Current() const { return m_current; }
    const Song *CurrentSong() const;
    // The song iSteps away (1 next, -1 previous) that can be played; -1 at
    // either end. Moving there is Go().
    int Neighbour(int iSteps) const;
    void Go(int iIndex);
    // Follows a sheet opened another way: the list's song of that path, if
    // any, becomes current; false when the list has none.
    bool Follow(const QString &sPath);
    // "3 / 12", empty when no song of the list is playing.
    QString Position() const;

private:
    std::vector<Song> m_songs;
    int m_current = -1;
};

// What a page-turner key does, from where the view stands on its axis.
namespace pageturn {
enum class Action { Scroll, NextSong, PreviousSong };
// bForward: a "next" key. At the end of the song (or the start, going
// back) the key moves to the neighbouring song; before that it scrolls.
Action Decide(bool bForward, int iValue, int iMinimum, int iMaximum);
} // namespace pageturn
