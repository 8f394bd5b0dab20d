// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// A setlist file: UTF-8 text, one song a line (the sheet's path, then
// optionally a tab and "capo=N", a tab and "transpose=M"); lines starting
// with "#" and blank lines are comments. Editing keeps every comment where
// it stood, every option it does not know, and every path as written.
class Setlist {
public:
    struct Entry {
        QString Path;  // as written: absolute, or relative
        int Capo = -1; // 0 to 9; -1 for the song's own
        bool HasTranspose = false;
        int Transpose = 0; // -11 to 11
        QStringList Other; // fields not understood, kept as they were
    };

    static Setlist Parse(const QString &sText);
    // The file's text, LF line ends.
    QString Text() const;

    int Count() const { return static_cast<int>(m_entries.size()); }
    const Entry &At(int i) const { return m_entries[static_cast<size_t>(i)]; }
    Entry &At(int i) { return m_entries[static_cast<size_t>(i)]; }
    void Append(const Entry &entry);
    void Remove(int i);
    // Moves the entry at i to position to; comments stay on their lines.
    void Move(int from, int to);

    // The sheet a written path names: an absolute path as it is; a relative
    // one first against sSetlistFolder, then against each library folder in
    // order. The first that exists wins; none: the first candidate, so that
    // a message can name it.
    static QString Resolve(const QString &sWritten, const QString &sSetlistFolder,
                           const QStringList &libraryFolders,
                           const std::function<bool(const QString &)> &exists);
    // How a new entry writes sPath: relative to the first library folder it
    // lies under (shareable between machines), else absolute.
    static QString WrittenPath(const QString &sPath, const QStringList &libraryFolders);

    // Files of NAME.setlist in a folder. Load raises the sheet reader's
    // AppError (naming the file); Save returns why it failed, empty when written.
    static QStringList Names(const QString &sFolder);
    static Setlist Load(const QString &sPath);
    QString Save(const QString &sPath) const;
    static constexpr const char *Suffix = ".setlist";

private:
    // Each line is a comment (its text) or the place of the next entry.
    struct Line {
        bool IsEntry = false;
        QString Text;
    };
    std::vector<Line> m_lines;
    std::vector<Entry> m_entries;
};
