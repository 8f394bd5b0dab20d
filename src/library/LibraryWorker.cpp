// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/LibraryWorker.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

LibraryWorker::LibraryWorker(QString sDatabase) : m_database(std::move(sDatabase)) {
    qRegisterMetaType<QList<LibrarySong>>();
    qRegisterMetaType<QList<qint64>>();
}

LibraryWorker::~LibraryWorker() = default;

bool LibraryWorker::EnsureOpen() {
    if (m_index && m_index->StillSound()) {
        return true;
    }
    // Deleted, replaced or overwritten while in use: a new one, told as a rebuild.
    const bool wasOpen = m_index != nullptr;
    m_index = std::make_unique<LibraryIndex>(m_database);
    QString why;
    if (!m_index->Open(why)) {
        m_index.reset();
        if (!m_told) {
            m_told = true;
            emit Told(
                QStringLiteral("ライブラリの索引 \"%1\" を作れません。ライブラリは使えませんが、"
                               "曲のファイルはそのままです。")
                    .arg(m_database));
        }
        return false;
    }
    if (wasOpen && why.isEmpty()) {
        why = QStringLiteral("ファイルが消されました");
    }
    if (!why.isEmpty() && !m_told) {
        m_told = true;
        emit Told(QStringLiteral("ライブラリの索引 \"%1\" を作り直しました (%2)。曲のファイルと"
                                 "設定はそのままです。")
                      .arg(m_database, why));
    }
    return true;
}

void LibraryWorker::Recover(const LibraryIndex::Broken &error) {
    // SQLite's own words go to the terminal; the user gets plain ones.
    std::fprintf(stderr, "tamblin: %s: %s\n", qPrintable(m_database), error.what());
    if (!m_told) {
        m_told = true;
        emit Told(
            QStringLiteral("ライブラリの索引 \"%1\" が使っている間に壊れたため、作り直しました。"
                           "曲のファイルと設定はそのままです。")
                .arg(m_database));
    }
    if (m_index && !m_index->Rebuild()) {
        m_index.reset();
    }
    m_published = false; // the new index's songs go to the panel
    m_scanning = false;
    Rescan();
}

void LibraryWorker::SetFolders(const QStringList &folders) {
    m_folders = folders;
    Rescan();
}

void LibraryWorker::Rescan() {
    if (m_scanning) {
        m_again = true;
        return;
    }
    if (!EnsureOpen()) {
        emit Progress(0, 0);
        return;
    }
    try {
        QStringList watched;
        const std::vector<directory::FoundFile> onDisk = directory::Walk(m_folders, &watched);
        emit Watch(watched);
        m_plan = libraryscan::MakePlan(onDisk, m_index->Stamps());
    } catch (const LibraryIndex::Broken &e) {
        Recover(e);
        return;
    }
    m_next = 0;
    ++m_generation;
    m_scanning = true;
    m_again = false;
    if (m_plan.Read.empty() && m_plan.Gone.isEmpty()) {
        // Nothing changed: the catalog as it stands (the first call's).
        Finish();
        return;
    }
    emit Progress(0, static_cast<int>(m_plan.Read.size()));
    Step();
}

void LibraryWorker::Step() {
    if (!m_scanning || !m_index) {
        return;
    }
    QElapsedTimer clock;
    clock.start();
    try {
        m_index->Begin();
        // A short step: a search typed meanwhile waits no longer.
        while (m_next < m_plan.Read.size() && clock.elapsed() < 40) {
            const directory::FoundFile &f = m_plan.Read[m_next++];
            m_index->Put(f.Path, {f.Size, f.Modified}, libraryscan::ReadFile(f.Path, f.Size));
        }
        if (m_next >= m_plan.Read.size()) {
            for (const QString &gone : m_plan.Gone) {
                m_index->Remove(gone);
            }
        }
        m_index->Commit();
    } catch (const LibraryIndex::Broken &e) {
        Recover(e);
        return;
    }
    emit Progress(static_cast<int>(m_next), static_cast<int>(m_plan.Read.size()));
    if (m_next < m_plan.Read.size()) {
        QTimer::singleShot(0, this, [this, generation = m_generation] {
            if (generation == m_generation) {
                Step();
            }
        });
        return;
    }
    Finish();
}

void LibraryWorker::Finish() {
    m_scanning = false;
    // Nothing changed: the panel's list stands as it is.
    const bool changed = !m_plan.Read.empty() || !m_plan.Gone.isEmpty() || !m_published;
    m_plan = {};
    if (changed) {
        PublishCatalog();
    }
    emit Progress(0, 0);
    if (m_again) {
        Rescan();
    }
}

void LibraryWorker::PublishCatalog() {
    try {
        emit Catalog(m_index ? m_index->Songs() : QList<LibrarySong>());
        m_published = true;
    } catch (const LibraryIndex::Broken &e) {
        Recover(e);
    }
}

void LibraryWorker::CheckSound() {
    if (m_index && !m_index->StillSound() && !m_scanning) {
        Rescan(); // deleted or damaged under us: made anew and filled again
    }
}

void LibraryWorker::Search(quint64 iSerial, const QString &sText) {
    CheckSound();
    if (!m_index) {
        emit Found(iSerial, {});
        return;
    }
    try {
        emit Found(iSerial, m_index->Search(LibraryQuery::Parse(sText)));
    } catch (const LibraryIndex::Broken &e) {
        emit Found(iSerial, {});
        Recover(e);
    }
}

void LibraryWorker::MarkOpened(const QString &sPath) {
    CheckSound();
    // The sheet opened at start comes before the first scan opens the index.
    if (!m_index && !EnsureOpen()) {
        return;
    }
    try {
        m_index->MarkOpened(sPath, QDateTime::currentSecsSinceEpoch());
    } catch (const LibraryIndex::Broken &e) {
        Recover(e);
    }
}
