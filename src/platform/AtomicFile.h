// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QIODevice>
#include <QString>

#include <memory>

class AtomicFileDevice;

// A file written whole or not at all: the bytes go into a temporary file
// beside it ("NAME.XXXXXX" and the suffix given), which is renamed over the
// file only once every write, the flush and the sync have succeeded. A kill
// leaves the old file (or none) and the temporary; any failure removes the
// temporary. A symbolic link at the path is replaced by the new file, never
// written through. An existing file's permissions are kept; a new one gets
// newMode less the umask (the user's default unless told otherwise).
class AtomicFile {
public:
    AtomicFile(const QString &path, const QString &suffix = QString(), int newMode = 0666);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // false with ErrorString() when no temporary can be made.
    bool Open();
    // Where the bytes go between Open() and Commit().
    QIODevice &Device();
    // false with ErrorString() when a write, the flush, the sync or the
    // rename failed; the temporary is gone then and the file untouched.
    bool Commit();
    // Drops what was written; the file stays as it was.
    void Cancel();

    // Why the last step failed, in Japanese.
    const QString &ErrorString() const { return m_error; }

    // Removes the temporaries of path (as this class names them, with that
    // suffix) last changed before `before`: those a killed write left.
    static void RemoveStale(const QString &path, const QString &suffix, const QDateTime &before);

private:
    void Fail(int error);

    QString m_path;
    QString m_suffix;
    int m_newMode = 0666;
    QString m_temporary;
    std::unique_ptr<AtomicFileDevice> m_file;
    QString m_error;
};
