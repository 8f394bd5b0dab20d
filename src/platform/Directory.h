// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace directory {

// Names of the files in sFolder that match sPattern ("*.INI"), without
// regard to case, sorted by name.
QStringList ListFiles(const QString &sFolder, const QString &sPattern);

// Makes sFolder and any folder above it that is missing, each only for the
// user (0700: the XDG folders hold the user's own data); true when it exists.
bool MakeFolders(const QString &sFolder);

} // namespace directory
