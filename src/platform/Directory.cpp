// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Directory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <QDir>

namespace directory {

QStringList ListFiles(const QString &sFolder, const QString &sPattern) {
    // Without QDir::CaseSensitive the patterns ignore case, as they did on
    // the platform these file names come from.
    return QDir(sFolder).entryList({sPattern}, QDir::Files | QDir::Readable, QDir::Name);
}

bool MakeFolders(const QString &sFolder) {
    const QString folder = QDir::cleanPath(QFileInfo(sFolder).absoluteFilePath());
    if (QFileInfo(folder).isDir()) {
        return true;
    }
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent == folder || !MakeFolders(parent)) {
        return false;
    }
    return ::mkdir(QFile::encodeName(folder).constData(), 0700) == 0 || QFileInfo(folder).isDir();
}

} // namespace directory
