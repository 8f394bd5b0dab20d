// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Where Tamblin's files live. A portable copy (the program with its
// POSITION.INI beside it, as in build/bin) keeps everything in its own
// folder while that folder is writable. An installed program (bin/ with
// the data in share/tamblin/) keeps settings in $XDG_CONFIG_HOME/tamblin/
// and finds position files beside the executable, then in
// $XDG_DATA_HOME/tamblin/, then in share/tamblin/.
namespace apppaths {

// $XDG_CONFIG_HOME/tamblin (default ~/.config/tamblin).
QString ConfigFolder();
// $XDG_DATA_HOME/tamblin (default ~/.local/share/tamblin): the user's own
// position files.
QString UserDataFolder();
// share/tamblin of the prefix the program is installed in.
QString InstalledDataFolder();
// True for the installed layout: no POSITION.INI beside the program, and
// the installed data folder exists.
bool Installed();

// The settings file, sName in it: beside the program for a portable copy
// whose folder is writable, in ConfigFolder() otherwise.
QString SettingsFile(const QString &sName);
// Where the library's files go (its index, the setlists folder): beside the
// program for a portable copy whose folder is writable, as the settings
// file is; in UserDataFolder() otherwise.
QString LibraryFile(const QString &sName);
// The folders position files are looked up in, in that order, each once.
QStringList DataFolders();
// sName (a file name) in the first data folder that has it; beside the
// program if none does, so that a message names where it was expected.
QString FindDataFile(const QString &sName);
// The *.INI file names of every data folder, each name once, in lookup
// order; sExclude (the settings file's name) left out.
QStringList PositionFileNames(const QString &sExclude);

// True when the file can be written in place.
bool Writable(const QString &sPath);
// Copies sPath into UserDataFolder() (made if need be) unless a file of
// that name is there already; returns the copy's path. Raises an AppError
// naming both files when it cannot.
QString CopyToUserData(const QString &sPath);

// The user's copies of shipped position files brought up to date: a copy
// made from an older shipped file is rebuilt by merge(shipped, copy) and the
// old one kept beside it as NAME.YYYY-MM-DD.bak. Which shipped file a copy
// was made from is kept in NAME.base (its SHA-256) beside the copy.
struct RebuiltCopy {
    QString Copy;
    QString Backup;
};
std::vector<RebuiltCopy>
RebaseUserCopies(const std::function<QByteArray(const QByteArray &, const QByteArray &)> &merge);

} // namespace apppaths
