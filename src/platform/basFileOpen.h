// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

class QFileDialog;
class QWidget;

// The open-file dialog of a chord sheet: Qt's own dialog, modal, placed 5
// pixels right of and 40 pixels below the owner's top-left corner.
namespace basFileOpen {

// Flags as the original dialog knew them; 0x1000 limits the choice to
// existing files, the others need nothing here.
constexpr int32_t OFN_HIDEREADONLY = 0x4;
constexpr int32_t OFN_PATHMUSTEXIST = 0x800;
constexpr int32_t OFN_FILEMUSTEXIST = 0x1000;

// sFilter: description and pattern pairs joined by NUL characters; the
// first pair is preselected. Returns the chosen path or "" on cancel.
QString ShowOpenFileDialog(QWidget *owner, const QString &sStartFolder, const QString &sFilter,
                           const QString &sTitle, int32_t lFlags);

// A save dialog opened on sDefaultPath (its folder and name); a name typed
// without an extension gets sSuffix. Qt asks before replacing a file.
QString ShowSaveFileDialog(QWidget *owner, const QString &sDefaultPath, const QString &sFilter,
                           const QString &sTitle, const QString &sSuffix);

// The Qt name filters of a NUL-joined filter list, e.g.
// "テキストファイル (*.txt) (*.TXT)".
QStringList NameFilters(const QString &sFilter);

} // namespace basFileOpen
