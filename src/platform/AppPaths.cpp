// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppPaths.h"

#include "platform/AppError.h"
#include "platform/AppInfo.h"

#include "platform/AtomicFile.h"
#include "platform/Directory.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace apppaths {

namespace {

// An XDG variable when it holds an absolute path, else its default under $HOME.
QString XdgFolder(const char *variable, const QString &fallback) {
    const QString value = qEnvironmentVariable(variable);
    const QString base = QDir::isAbsolutePath(value) ? value : QDir::homePath() + fallback;
    return QDir::cleanPath(base + QStringLiteral("/tamblin"));
}

// access() rather than the mode bits: a read-only mount counts too.
bool CanWrite(const QString &sPath) {
    return ::access(QFile::encodeName(sPath).constData(), W_OK) == 0;
}

QByteArray Digest(const QByteArray &bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Which shipped file a user's copy was made from; a failure only means the
// check is made again at the next start.
void WriteBase(const QString &sCopy, const QByteArray &digest) {
    AtomicFile f(sCopy + QStringLiteral(".base"), QString(), 0600);
    if (f.Open()) {
        f.Device().write(digest + '\n');
        f.Commit();
    }
}

} // namespace

QString ConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"));
}

QString UserDataFolder() {
    return XdgFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"));
}

QString InstalledDataFolder() {
    return QDir::cleanPath(appinfo::ProgramDirectory() + QStringLiteral("/") +
                           QStringLiteral(TAMBLIN_DATA_FROM_BIN));
}

bool Installed() {
    return !QFileInfo::exists(appinfo::ProgramDirectory() + QStringLiteral("/POSITION.INI")) &&
           QFileInfo(InstalledDataFolder()).isDir();
}

QString SettingsFile(const QString &sName) {
    const QString program = appinfo::ProgramDirectory();
    if (!Installed() && CanWrite(program)) {
        return program + u'/' + sName;
    }
    return ConfigFolder() + u'/' + sName;
}

QString LibraryFile(const QString &sName) {
    const QString program = appinfo::ProgramDirectory();
    if (!Installed() && CanWrite(program)) {
        return program + u'/' + sName;
    }
    return UserDataFolder() + u'/' + sName;
}

QStringList DataFolders() {
    QStringList folders;
    for (const QString &f :
         {QDir::cleanPath(appinfo::ProgramDirectory()), UserDataFolder(), InstalledDataFolder()}) {
        if (!folders.contains(f)) {
            folders << f;
        }
    }
    return folders;
}

QString FindDataFile(const QString &sName) {
    QString own = UserDataFolder() + u'/' + sName;
    for (const QString &folder : DataFolders()) {
        QString path = folder + u'/' + sName;
        if (QFileInfo(path).isFile()) {
            // Chords added to a file that cannot be written went to the user's
            // copy of it, which therefore comes first.
            if (folder != UserDataFolder() && !CanWrite(path) && QFileInfo(own).isFile()) {
                return own;
            }
            return path;
        }
    }
    return QDir::cleanPath(appinfo::ProgramDirectory()) + u'/' + sName;
}

QStringList PositionFileNames(const QString &sExclude) {
    QStringList names;
    QStringList seen; // compared without case, as the patterns match
    for (const QString &folder : DataFolders()) {
        const QStringList files = QDir(folder).entryList({QStringLiteral("*.INI")},
                                                         QDir::Files | QDir::Readable, QDir::Name);
        for (const QString &name : files) {
            const QString key = name.toUpper();
            if (key != sExclude.toUpper() && key.endsWith(u".INI") && !seen.contains(key)) {
                seen << key;
                names << name;
            }
        }
    }
    return names;
}

bool Writable(const QString &sPath) {
    return CanWrite(sPath);
}

QString CopyToUserData(const QString &sPath) {
    const QString folder = UserDataFolder();
    QString copy = folder + u'/' + QFileInfo(sPath).fileName();
    if (QFileInfo::exists(copy)) {
        return copy;
    }
    if (!directory::MakeFolders(folder) || !QFile::copy(sPath, copy)) {
        throw AppError(AppError::FileIo, QStringLiteral("AppPaths"),
                       QStringLiteral("\"%1\" を \"%2\" に写せません").arg(sPath, copy));
    }
    // The copy is the user's own: writable whatever the installed file was,
    // and theirs alone, as everything in the data folder.
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    QFile original(sPath);
    if (original.open(QIODevice::ReadOnly)) {
        WriteBase(copy, Digest(original.readAll()));
    }
    return copy;
}

std::vector<RebuiltCopy>
RebaseUserCopies(const std::function<QByteArray(const QByteArray &, const QByteArray &)> &merge) {
    std::vector<RebuiltCopy> rebuilt;
    const QString own = UserDataFolder();
    QStringList seen;
    for (const QString &folder : DataFolders()) {
        if (folder == own) {
            continue;
        }
        for (const QString &name : QDir(folder).entryList({QStringLiteral("*.INI")}, QDir::Files)) {
            const QString copyPath = own + u'/' + name;
            if (seen.contains(name) || !QFileInfo(copyPath).isFile()) {
                continue;
            }
            seen << name;
            QFile shippedFile(folder + u'/' + name);
            QFile copyFile(copyPath);
            if (!shippedFile.open(QIODevice::ReadOnly) || !copyFile.open(QIODevice::ReadOnly)) {
                continue;
            }
            const QByteArray shipped = shippedFile.readAll();
            const QByteArray copy = copyFile.readAll();
            const QByteArray digest = Digest(shipped);
            QFile baseFile(copyPath + QStringLiteral(".base"));
            const QByteArray base =
                baseFile.open(QIODevice::ReadOnly) ? baseFile.readAll().trimmed() : QByteArray();
            // A copy from before .base files: it is of this shipped file if it
            // starts with it.
            if (base == digest || (base.isEmpty() && copy.startsWith(shipped))) {
                if (base.isEmpty()) {
                    WriteBase(copyPath, digest);
                }
                continue;
            }
            const QString day = QDate::currentDate().toString(Qt::ISODate);
            QString backup = copyPath + u'.' + day + QStringLiteral(".bak");
            for (int i = 2; QFileInfo::exists(backup); ++i) {
                backup = copyPath + u'.' + day + u'-' + QString::number(i) + QStringLiteral(".bak");
            }
            AtomicFile out(copyPath);
            if (!QFile::copy(copyPath, backup) || !out.Open()) {
                continue; // left as it is; tried again at the next start
            }
            const QByteArray merged = merge(shipped, copy);
            if (out.Device().write(merged) != merged.size() || !out.Commit()) {
                QFile::remove(backup);
                continue;
            }
            WriteBase(copyPath, digest);
            rebuilt.push_back({copyPath, backup});
        }
    }
    return rebuilt;
}

} // namespace apppaths
