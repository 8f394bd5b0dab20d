// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Font.h"
#include "score/DisplayStyle.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>

class FileHistory;
class PrivateProfile;

// What the main window keeps in the settings file between runs, and the one
// table that says where each value lives, of which type, and in which order
// it is read and written.
struct MainWindowSettings {
    // The window's outer size and position in twips.
    int32_t Height = 0;
    int32_t Width = 0;
    int32_t Top = 0;
    int32_t Left = 0;
    // False while minimized, maximized or full screen: the size is left as
    // it was stored.
    bool SavePlacement = true;
    // Maximized when it closed; the size above stays the normal one.
    bool Maximized = false;
    QString PreOpenedDir;
    bool AdjustFlatStart = false;
    Font ChordNameFont;
    int32_t EnableChordNameColor = 0;
    int32_t UnEnableChordNameColor = 0;
    Font WordFont;
    int32_t EnableWordColor = 0;
    int32_t UnEnableWordColor = 0;
    int16_t TabSize = 4;
    // 0 to 9; -1 (no capo item checked) is not written.
    int16_t Capo = 0;
    bool PageReturn = false;
    // Percent, one of the zoom steps; a hand-edited value goes to the nearest.
    int16_t Zoom = 100;
    // 1 (slow) to 9.
    int16_t AutoScrollSpeed = 3;
    bool FullScreenHidesMenuBar = true;
    // How chords are spelled: 0 sharps, 1 flats, 2 by the song's key.
    int16_t Spelling = 0;
    // The strip of the sheet's chords above the score.
    bool ChordStrip = false;
    // How the score is printed: 0 as on screen, 1 as a songbook (歌本).
    int16_t PrintLayout = 0;
    // The library: its folders (Folder1, Folder2, ...), the setlist last
    // chosen, and the panel: shown, its side (1 left, 2 right), its width.
    QStringList LibraryFolders;
    QString Setlist;
    bool LibraryShown = false;
    int16_t LibraryArea = 2;
    int16_t LibraryWidth = 320;
    // Page-turner mode: on, on whenever full screen is, and the keys a
    // pedal sends for the next and the previous page (as QKeySequence text).
    bool PageTurner = false;
    bool PageTurnerInFullScreen = false;
    QString PageTurnerNextKeys = QStringLiteral("PgDown, Right, Down");
    QString PageTurnerBackKeys = QStringLiteral("PgUp, Left, Up");
    static constexpr int MaxLibraryFolders = 20;
    // The position file in use, written only: the program reads it at start.
    QString ChordFilename;

    // Reads every value, the current ones serving as defaults; the window's
    // size defaults to half the screen (in pixels), centred. history loads
    // its own section at its place in the order. A value that does not
    // convert raises the settings store's error.
    void Load(const PrivateProfile &profile, QSize screen, FileHistory &history);
    void Save(const PrivateProfile &profile, const FileHistory &history) const;

    // The display settings, as the score's template cell takes them.
    DisplayStyle Display() const;
    void SetDisplay(const DisplayStyle &style);
};
