// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace directory {

// Names of the files in sFolder that match sPattern ("*.INI"), without
// regard to case, sorted by name.
QStringList ListFiles(const QString &sFolder, const QString &sPattern);

// Makes sFolder and any folder above it that is missing, each only for the
// user (0700: the XDG folders hold the user's own data); true when it exists.
bool MakeFolders(const QString &sFolder);

// Renames or removes a file; false when it cannot.
bool RenameFile(const QString &sFrom, const QString &sTo);
bool RemoveFile(const QString &sPath);
bool Exists(const QString &sPath);
// Names one file on disk (device and inode), so that a file replaced under
// the same name shows; empty when there is none.
QString FileIdentity(const QString &sPath);
// A file's first iLength bytes, fewer when it is shorter; empty when it
// cannot be read.
QByteArray ReadHead(const QString &sPath, qint64 iLength);

// A regular file found under a folder, with what tells a change.
struct FoundFile {
    QString Path;
    qint64 Size = 0;
    qint64 Modified = 0; // ms since the epoch
};
// Every regular file under the folders, at any depth: hidden files and
// folders and symbolic links to folders left out (no loops). The folders
// walked, the given ones included, go to *pFolders when asked.
std::vector<FoundFile> Walk(const QStringList &folders, QStringList *pFolders = nullptr);

} // namespace directory
