// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The program's arguments, read as a Unix program reads them: options
// anywhere before "--", everything after it a file name; --help and
// --version win over a file and say that it is not opened; an unknown
// option, an empty name or more than one file is refused (exit status 2).
// --capo N, --transpose M and --pdf OUT take their value as the next
// argument or after "="; a value out of range, or --pdf without a file, is
// refused too. --songbook OUT takes the file as a setlist.
namespace commandline {

enum class Action { Run, Help, Version, Refuse };

struct Parsed {
    Action action = Action::Run;
    QString file;    // Run: the one sheet to open (the name as given), or empty
    QString message; // Refuse: why; Help/Version: the file left unopened, or empty
    int capo = -1;   // --capo N (0 to 9); -1 when not given
    bool transposed = false;
    int transpose = 0; // --transpose M (-11 to 11)
    QString pdf;       // --pdf OUT: write the sheet as a PDF and end, no window
    QString songbook;  // --songbook OUT: file is a setlist, written as one PDF
};

// args without the program's name.
Parsed Parse(const QList<QByteArray> &args);

} // namespace commandline
