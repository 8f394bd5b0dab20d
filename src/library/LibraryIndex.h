// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/SheetSummary.h"

#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>

#include <stdexcept>

// One song of the library as the panel lists it.
struct LibrarySong {
    qint64 Id = 0;
    QString Path;
    QString Title;
    QString Artist;
    QString Key;
    int Capo = -1;
    qint64 Opened = 0; // seconds since the epoch, 0 for never
};
Q_DECLARE_METATYPE(LibrarySong)

// What a search asks: words every song found has in its title, artist,
// lyrics, chord names or file name, and "key:G" / "capo:2" filters.
struct LibraryQuery {
    QStringList Terms;
    int KeyPitch = -1;
    bool KeyMinor = false;
    int Capo = -1;     // 0 matches sheets with no capo too
    bool Valid = true; // false for a filter that names nothing ("key:H")
    static LibraryQuery Parse(const QString &sText);
};

// The index of the library: an SQLite database (through Qt SQL) that the
// sheets can always rebuild. Songs' text is searched with FTS5's trigram
// tokenizer, which finds Japanese without word breaks; queries shorter than
// three characters scan the columns instead. Not thread-safe: one thread
// owns an index.
class LibraryIndex {
public:
    // Raised when the database fails under a query: corrupt, gone, locked.
    struct Broken : std::runtime_error {
        using std::runtime_error::runtime_error;
    };
    struct Stamp {
        qint64 Size = 0;
        qint64 Modified = 0; // ms since the epoch
    };
    static constexpr int SchemaVersion = 2;

    explicit LibraryIndex(QString sPath);
    ~LibraryIndex();
    LibraryIndex(const LibraryIndex &) = delete;
    LibraryIndex &operator=(const LibraryIndex &) = delete;

    // Opens the database, making it when missing; one that cannot be used
    // (corrupt, locked, of a newer schema, not a database) is deleted and
    // made anew, and sWhy says why (empty when nothing was lost). False
    // only when no database can be made at all.
    bool Open(QString &sWhy);
    // Deletes the database and makes an empty one.
    bool Rebuild();
    const QString &Path() const { return m_path; }
    // False when the file was deleted, replaced or overwritten with what is
    // no database since it was opened.
    bool StillSound() const;

    // Every file the index knows, sheets or not, with the stamp it was read at.
    QHash<QString, Stamp> Stamps();
    void Begin();
    void Commit();
    // Puts a file read at stamp; a summary that is no sheet is kept only as
    // known, so that it is not read again while unchanged.
    void Put(const QString &sPath, Stamp stamp, const sheetsummary::Summary &summary);
    void Remove(const QString &sPath);
    void MarkOpened(const QString &sPath, qint64 iWhen);

    // Every sheet, by title.
    QList<LibrarySong> Songs();
    // The ids of the sheets a query finds.
    QList<qint64> Search(const LibraryQuery &query);

private:
    bool OpenConnection();
    void CreateSchema();
    void Close();
    // Runs a statement; raises Broken on failure.
    void Exec(const QString &sSql);
    QString m_path;
    QString m_connection;
    QString m_identity; // the file opened, to tell it from a replacement
};
