// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/LibraryIndex.h"
#include "library/LibraryScan.h"

#include <QObject>
#include <QStringList>

#include <memory>

// The library's index on a thread of its own: scans in small steps, so that
// a search typed meanwhile is answered between two of them, and rebuilds a
// database that fails. Its slots are called queued from the window's thread;
// it answers with signals.
class LibraryWorker : public QObject {
    Q_OBJECT

public:
    explicit LibraryWorker(QString sDatabase);
    ~LibraryWorker() override;

    // Scans these folders from now on (an empty list empties the library).
    void SetFolders(const QStringList &folders);
    // Checks every file's size and time again; reads what changed.
    void Rescan();
    void Search(quint64 iSerial, const QString &sText);
    void MarkOpened(const QString &sPath);

signals:
    // Files read of those to read; 0 of 0 when the scan is over.
    void Progress(int iDone, int iTotal);
    // Every song, after a scan or a change.
    void Catalog(const QList<LibrarySong> &songs);
    void Found(quint64 iSerial, const QList<qint64> &ids);
    // The folders to watch for changes.
    void Watch(const QStringList &folders);
    // A message for the user: the database was made anew.
    void Told(const QString &sMessage);

private:
    bool EnsureOpen();
    // Between scans: a database deleted or damaged from outside is made anew.
    void CheckSound();
    // After a failure: a new database, filled from the sheets again.
    void Recover(const LibraryIndex::Broken &error);
    void Step();
    void Finish();
    void PublishCatalog();

    QString m_database;
    std::unique_ptr<LibraryIndex> m_index;
    QStringList m_folders;
    libraryscan::Plan m_plan;
    size_t m_next = 0;
    bool m_scanning = false;
    bool m_again = false;
    bool m_told = false;
    bool m_published = false; // the panel has this index's songs
    // A new scan's steps never mix with an older one's still queued.
    quint64 m_generation = 0;
};
