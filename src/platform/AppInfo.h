// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the program knows of itself: where it runs from, its name, its title
// and version.
namespace appinfo {

// The folder of the executable, without a trailing "/": where the settings
// file and the position files live.
QString ProgramDirectory();
// Tests put that folder in a temporary one of their own; empty undoes it.
void SetProgramDirectory(const QString &sDir);
// The executable's base name, without folder and extension.
QString ExecutableName();
// The title of message boxes.
QString Title();
// major.minor.revision from the CMake project version.
QString Version();
// The release's date (YYYY-MM-DD) and the project's home page.
QString ReleaseDate();
QString Homepage();
int VersionMajor();
int VersionMinor();
int VersionRevision();
QString LegalCopyright();

} // namespace appinfo
