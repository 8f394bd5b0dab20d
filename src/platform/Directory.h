#pragma once

#include <QString>
#include <QStringList>

namespace directory {

// Names of the files in sFolder that match sPattern ("*.INI"), without
// regard to case, sorted by name.
QStringList ListFiles(const QString &sFolder, const QString &sPattern);

} // namespace directory
