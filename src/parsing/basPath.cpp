// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/basPath.h"

namespace basPath {
namespace {

bool IsSeparator(QChar c) {
    return c == u'/' || c == u'\\';
}

qsizetype LastSeparator(const QString &sPath) {
    for (qsizetype i = sPath.size() - 1; i >= 0; --i) {
        if (IsSeparator(sPath[i])) {
            return i;
        }
    }
    return -1;
}

} // namespace

QString AddBackslash(const QString &sPath) {
    if (!sPath.isEmpty() && IsSeparator(sPath.back())) {
        return sPath;
    }
    return sPath + u'/';
}

QString GetFileName(const QString &sPath) {
    const qsizetype i = LastSeparator(sPath);
    return i < 0 ? sPath : sPath.mid(i + 1);
}

QString GetDirectory(const QString &sPath) {
    const qsizetype i = LastSeparator(sPath);
    return i < 0 ? sPath : sPath.left(i + 1);
}

} // namespace basPath
