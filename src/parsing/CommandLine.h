#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The program's arguments, read as a Unix program reads them: options
// anywhere before "--", everything after it a file name; --help and
// --version win over a file and say that it is not opened; an unknown
// option, an empty name or more than one file is refused (exit status 2).
namespace commandline {

enum class Action { Run, Help, Version, Refuse };

struct Parsed {
    Action action = Action::Run;
    QString file;    // Run: the one sheet to open (the name as given), or empty
    QString message; // Refuse: why; Help/Version: the file left unopened, or empty
};

// args without the program's name.
Parsed Parse(const QList<QByteArray> &args);

} // namespace commandline
