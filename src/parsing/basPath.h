// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Path helpers. "/" is the separator; "\" counts as one too where a path is
// split, so a path carried over from Windows still yields a bare file name.
namespace basPath {

// The path with a "/" at its end, unless it already ends in "/" or "\".
QString AddBackslash(const QString &sPath);
// The text after the last separator; the whole path when it has none.
QString GetFileName(const QString &sPath);
// The text up to and including the last separator; the whole path when it has none.
QString GetDirectory(const QString &sPath);

} // namespace basPath
