// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace appinfo {

namespace {
QString &ProgramDirectoryOverride() {
    static QString dir;
    return dir;
}
} // namespace

QString ProgramDirectory() {
    const QString &dir = ProgramDirectoryOverride();
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

void SetProgramDirectory(const QString &sDir) {
    ProgramDirectoryOverride() = sDir;
}

QString ExecutableName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString Title() {
    return QStringLiteral("Quillanfret");
}

int VersionMajor() {
    return TAMBLIN_VERSION_MAJOR;
}
int VersionMinor() {
    return TAMBLIN_VERSION_MINOR;
}
int VersionRevision() {
    return TAMBLIN_VERSION_PATCH;
}

QString ReleaseDate() {
    return QStringLiteral(TAMBLIN_RELEASE_DATE);
}

QString Homepage() {
    return QStringLiteral(TAMBLIN_HOMEPAGE);
}

QString Version() {
    return QStringLiteral("%1.%2.%3")
        .arg(VersionMajor())
        .arg(VersionMinor())
        .arg(VersionRevision());
}

QString LegalCopyright() {
    return QStringLiteral("© 2026 Tamblin developers");
}

} // namespace appinfo
