#include "platform/Directory.h"

#include <QDir>

namespace directory {

QStringList ListFiles(const QString &sFolder, const QString &sPattern) {
    // Without QDir::CaseSensitive the patterns ignore case, as they did on
    // the platform these file names come from.
    return QDir(sFolder).entryList({sPattern}, QDir::Files | QDir::Readable, QDir::Name);
}

} // namespace directory
