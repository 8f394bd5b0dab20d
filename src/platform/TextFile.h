// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

// Reading text files line by line, as raw bytes: the caller decodes them.
// CR, CR LF and LF each end a line. Errors are AppErrors whose Japanese
// descriptions name the file by its full path.
class LineReader {
public:
    // Opens the file for reading or raises 53 (not there) or 75 (cannot be opened).
    explicit LineReader(const QString &path);

    // The next line without its line end; false at the end of the file.
    // A read error raises 57.
    bool ReadLine(QByteArray &line);

private:
    bool Fill();

    QString m_path;
    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
};

namespace textfile {

// Full path of a file name, for messages.
QString FullPath(const QString &path);

// Adds bytes at the end of a regular file, as one atomic replace: the file
// keeps every byte it had (a last line without its end gets CR LF first),
// or, when it cannot be written, stays as it was and 75 is raised. A
// symbolic link at path is replaced by the new file, never written through.
void AppendAtomically(const QString &path, const QByteArray &bytes);

} // namespace textfile
