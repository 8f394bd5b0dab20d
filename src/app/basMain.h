// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class Chord;
class PrivateProfile;
class frmChordScore;

// Start-up and the objects the whole program shares.
namespace basMain {

// The program: one instance per user, the settings store, the dictionary
// from the position file the settings name, the main window. Returns the
// process exit code. sFile (a full path, may be empty) is opened once the
// window is up, or handed to the instance already running.
// The globals, the position file named in the settings (read beside the
// window being built) and the main window, not yet shown. Raises what the
// position file or the settings raise.
std::unique_ptr<::frmChordScore> LoadMainWindow();
// Where a sheet opened from the command line starts: a capo (0 to 9) and a
// transposition, or the sheet's own (or remembered) ones.
struct StartAt {
    int Capo = -1;
    bool Transposed = false;
    int Transpose = 0;
};
int Main(const QString &sFile = QString(), StartAt start = {});
// The command line's --pdf: sFile as a PDF at sPdf without a window shown,
// a running instance or any settings written; messages go to stderr.
// Returns the exit code: 0 written, 1 not.
int ExportPdf(const QString &sFile, const QString &sPdf, StartAt start);
// The command line's --songbook: a setlist file's songs as one PDF, in the
// same way.
int ExportSongbook(const QString &sSetlist, const QString &sPdf);
// True while the program only writes a PDF: no library is scanned.
bool Exporting();

// Created in Main and kept until the program ends.
PrivateProfile &oProfile();
std::shared_ptr<Chord> &oChord();
frmChordScore *frmChordScore();

// For tests: the objects without the event loop or the instance check.
void CreateGlobals();
void DestroyGlobals();
void SetMainWindow(::frmChordScore *window);

} // namespace basMain
