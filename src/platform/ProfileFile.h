// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One value of an INI file in code page 932, read and written the way the
// settings store expects of the system's profile functions:
// - section and key names match without regard to case, the first
//   occurrence wins;
// - a value is the text after "=", blanks around it removed and one pair of
//   enclosing double quotes removed;
// - an absent file, section or key gives the default;
// - the result is cut to bufferBytes - 1 bytes of CP932, never inside a
//   double-byte character;
// - a write creates the file, the section or the key as needed, replaces an
//   existing value in place and keeps every other line as it was; lines end
//   in CR LF. The file is replaced atomically; a file that cannot be written
//   is left as it was (WriteString says nothing; a batch's Commit says why).
//   A new file and the folders made for it are the user's alone (0600, 0700).
namespace profile {

QString ReadString(const QString &path, const QString &section, const QString &key,
                   const QString &defaultValue, int bufferBytes = 100);

void WriteString(const QString &path, const QString &section, const QString &key,
                 const QString &value);

// Holds every write to one file in memory until Commit, which replaces the
// file once, atomically: a kill at any moment leaves the whole old file or
// the whole new one. Reads of that file see the pending writes. Without
// Commit the writes are dropped. One batch at a time.
class WriteBatch {
public:
    explicit WriteBatch(const QString &path);
    ~WriteBatch();
    WriteBatch(const WriteBatch &) = delete;
    WriteBatch &operator=(const WriteBatch &) = delete;
    // Empty when written (or nothing to write), else why not, in Japanese.
    QString Commit();

private:
    bool m_owner = false;
};

} // namespace profile
