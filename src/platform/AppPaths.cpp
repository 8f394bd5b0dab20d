#include "platform/AppPaths.h"

#include "platform/AppError.h"
#include "platform/AppInfo.h"

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
    if (!QDir().mkpath(folder) || !QFile::copy(sPath, copy)) {
        throw AppError(AppError::FileIo, QStringLiteral("AppPaths"),
                       QStringLiteral("\"%1\" を \"%2\" に写せません").arg(sPath, copy));
    }
    // The copy is the user's own: writable whatever the installed file was.
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                    QFile::ReadOther);
    return copy;
}

} // namespace apppaths
