// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Directory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QDirIterator>

#include <sys/stat.h>

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

bool RenameFile(const QString &sFrom, const QString &sTo) {
    return !QFileInfo::exists(sTo) && QFile::rename(sFrom, sTo);
}

bool RemoveFile(const QString &sPath) {
    return QFile::remove(sPath);
}

bool Exists(const QString &sPath) {
    return QFileInfo(sPath).isFile();
}

QString FileIdentity(const QString &sPath) {
    struct stat st {};
    if (::stat(QFile::encodeName(sPath).constData(), &st) != 0) {
        return {};
    }
    return QStringLiteral("%1:%2").arg(st.st_dev).arg(st.st_ino);
}

QByteArray ReadHead(const QString &sPath, qint64 iLength) {
    QFile file(sPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.read(iLength);
}

std::vector<FoundFile> Walk(const QStringList &folders, QStringList *pFolders) {
    std::vector<FoundFile> files;
    for (const QString &root : folders) {
        if (!QFileInfo(root).isDir()) {
            continue;
        }
        if (pFolders) {
            *pFolders << QDir::cleanPath(root);
        }
        QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            const QFileInfo info = it.fileInfo();
            if (info.isDir()) {
                if (pFolders && !info.isSymLink()) {
                    *pFolders << QDir::cleanPath(info.filePath());
                }
                continue;
            }
            if (info.isFile()) {
                files.push_back({QDir::cleanPath(info.filePath()), info.size(),
                                 info.lastModified().toMSecsSinceEpoch()});
            }
        }
    }
    return files;
}

} // namespace directory
