// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/LibraryIndex.h"

#include "chords/PitchModel.h"
#include "platform/Directory.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QAtomicInteger<quint64> g_connections;

// A term as an FTS5 string: quoted, inner quotes doubled.
QString FtsString(const QString &sTerm) {
    QString t = sTerm;
    t.replace(u'"', QStringLiteral("\"\""));
    return u'"' + t + u'"';
}

} // namespace

LibraryQuery LibraryQuery::Parse(const QString &sText) {
    LibraryQuery q;
    for (const QString &word : sText.simplified().split(u' ', Qt::SkipEmptyParts)) {
        const QString lower = word.toLower();
        if (lower.startsWith(u"key:") || lower.startsWith(u"キー:")) {
            const std::optional<Key> key = Key::Read(word.mid(word.indexOf(u':') + 1));
            q.Valid = q.Valid && key.has_value();
            if (key) {
                q.KeyPitch = key->Pitch;
                q.KeyMinor = key->Minor;
            }
        } else if (lower.startsWith(u"capo:") || lower.startsWith(u"カポ:")) {
            bool ok = false;
            const int capo = word.mid(word.indexOf(u':') + 1).toInt(&ok);
            const bool inRange = ok && capo >= 0 && capo <= 9;
            q.Valid = q.Valid && inRange;
            q.Capo = inRange ? capo : -1;
        } else {
            q.Terms << word;
        }
    }
    return q;
}

LibraryIndex::LibraryIndex(QString sPath)
    : m_path(std::move(sPath)),
      m_connection(QStringLiteral("tamblin-library-%1").arg(++g_connections)) {}

LibraryIndex::~LibraryIndex() {
    Close();
}

void LibraryIndex::Close() {
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

void LibraryIndex::Exec(const QString &sSql) {
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(sSql)) {
        throw Broken(q.lastError().text().toStdString());
    }
}

bool LibraryIndex::OpenConnection() {
    Close();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1500"));
    const bool opened = db.open();
    m_identity = directory::FileIdentity(m_path);
    return opened;
}

void LibraryIndex::CreateSchema() {
    Exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    Exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    Exec(QStringLiteral("CREATE TABLE IF NOT EXISTS songs(id INTEGER PRIMARY KEY, path TEXT UNIQUE "
                        "NOT NULL, size INTEGER, modified INTEGER, sheet INTEGER, title TEXT, "
                        "artist TEXT, key TEXT, key_pitch INTEGER, key_minor INTEGER, capo "
                        "INTEGER, chords TEXT, lyrics TEXT, name TEXT)"));
    // The text index reads the songs table; triggers keep it in step.
    // The file's name too: "sakura" finds sakura.txt whose title is さくらさくら.
    Exec(QStringLiteral("CREATE VIRTUAL TABLE IF NOT EXISTS songs_text USING fts5(title, artist, "
                        "lyrics, chords, name, content='songs', content_rowid='id', "
                        "tokenize='trigram')"));
    Exec(QStringLiteral(
        "CREATE TRIGGER IF NOT EXISTS songs_ai AFTER INSERT ON songs BEGIN INSERT INTO "
        "songs_text(rowid, title, artist, lyrics, chords, name) VALUES (new.id, new.title, "
        "new.artist, new.lyrics, new.chords, new.name); END"));
    Exec(QStringLiteral(
        "CREATE TRIGGER IF NOT EXISTS songs_ad AFTER DELETE ON songs BEGIN INSERT INTO "
        "songs_text(songs_text, rowid, title, artist, lyrics, chords, name) VALUES ('delete', "
        "old.id, old.title, old.artist, old.lyrics, old.chords, old.name); END"));
    // When a song was last opened: kept apart, as it outlives a file's rescans.
    Exec(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS opened(path TEXT PRIMARY KEY, at INTEGER) WITHOUT ROWID"));
    Exec(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion));
}

bool LibraryIndex::Open(QString &sWhy) {
    sWhy.clear();
    try {
        if (!OpenConnection()) {
            throw Broken(
                QSqlDatabase::database(m_connection, false).lastError().text().toStdString());
        }
        QSqlQuery q(QSqlDatabase::database(m_connection, false));
        if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
            throw Broken(q.lastError().text().toStdString());
        }
        const int version = q.value(0).toInt();
        q.finish();
        if (version > SchemaVersion) {
            sWhy = QStringLiteral("新しい版の Tamblin が作ったものです");
            return Rebuild();
        }
        if (version != SchemaVersion) {
            // Empty (just made), or an older schema: made anew, no loss to tell.
            if (version != 0) {
                Close();
                for (const QString &suffix :
                     {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
                    directory::RemoveFile(m_path + suffix);
                }
                OpenConnection();
            }
            CreateSchema();
        } else {
            Exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            // Reads every page of the small tables: a damaged file shows here.
            Exec(QStringLiteral("SELECT count(*) FROM songs"));
        }
        return true;
    } catch (const Broken &) {
        sWhy = QStringLiteral("壊れているか、ほかのプログラムが使っていて開けませんでした");
        return Rebuild();
    }
}

bool LibraryIndex::Rebuild() {
    Close();
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        directory::RemoveFile(m_path + suffix);
    }
    try {
        if (!OpenConnection()) {
            return false;
        }
        CreateSchema();
        return true;
    } catch (const Broken &) {
        return false;
    }
}

bool LibraryIndex::StillSound() const {
    static const QByteArray header("SQLite format 3", 16); // with its NUL
    return !m_identity.isEmpty() && directory::FileIdentity(m_path) == m_identity &&
           directory::ReadHead(m_path, header.size()) == header;
}

QHash<QString, LibraryIndex::Stamp> LibraryIndex::Stamps() {
    QHash<QString, Stamp> stamps;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT path, size, modified FROM songs"))) {
        throw Broken(q.lastError().text().toStdString());
    }
    while (q.next()) {
        stamps.insert(q.value(0).toString(), {q.value(1).toLongLong(), q.value(2).toLongLong()});
    }
    if (q.lastError().isValid()) {
        throw Broken(q.lastError().text().toStdString());
    }
    return stamps;
}

void LibraryIndex::Begin() {
    Exec(QStringLiteral("BEGIN"));
}

void LibraryIndex::Commit() {
    Exec(QStringLiteral("COMMIT"));
}

void LibraryIndex::Put(const QString &sPath, Stamp stamp, const sheetsummary::Summary &summary) {
    Remove(sPath);
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral(
        "INSERT INTO songs(path, size, modified, sheet, title, artist, key, key_pitch, key_minor, "
        "capo, chords, lyrics, name) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const bool sheet = summary.IsSheet;
    q.addBindValue(sPath);
    q.addBindValue(stamp.Size);
    q.addBindValue(stamp.Modified);
    q.addBindValue(sheet ? 1 : 0);
    // Not a sheet: only the stamp, no text to index.
    q.addBindValue(sheet ? summary.Title : QString());
    q.addBindValue(sheet ? summary.Artist : QString());
    q.addBindValue(sheet ? summary.Key : QString());
    q.addBindValue(sheet ? summary.KeyPitch : -1);
    q.addBindValue(summary.KeyMinor ? 1 : 0);
    q.addBindValue(sheet ? summary.Capo : -1);
    // Spaces at both ends: a whole name is found as " Am ".
    q.addBindValue(sheet ? u' ' + summary.Chords.join(u' ') + u' ' : QString());
    q.addBindValue(sheet ? summary.Lyrics : QString());
    q.addBindValue(sheet ? QFileInfo(sPath).completeBaseName() : QString());
    if (!q.exec()) {
        throw Broken(q.lastError().text().toStdString());
    }
}

void LibraryIndex::Remove(const QString &sPath) {
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("DELETE FROM songs WHERE path = ?"));
    q.addBindValue(sPath);
    if (!q.exec()) {
        throw Broken(q.lastError().text().toStdString());
    }
}

void LibraryIndex::MarkOpened(const QString &sPath, qint64 iWhen) {
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO opened(path, at) VALUES (?, ?)"));
    q.addBindValue(sPath);
    q.addBindValue(iWhen);
    if (!q.exec()) {
        throw Broken(q.lastError().text().toStdString());
    }
}

QList<LibrarySong> LibraryIndex::Songs() {
    QList<LibrarySong> songs;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT s.id, s.path, s.title, s.artist, s.key, s.capo, o.at FROM "
                               "songs s LEFT JOIN opened o ON o.path = s.path WHERE s.sheet = 1 "
                               "ORDER BY s.title, s.path"))) {
        throw Broken(q.lastError().text().toStdString());
    }
    while (q.next()) {
        songs.push_back({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(),
                         q.value(3).toString(), q.value(4).toString(), q.value(5).toInt(),
                         q.value(6).toLongLong()});
    }
    if (q.lastError().isValid()) {
        throw Broken(q.lastError().text().toStdString());
    }
    return songs;
}

QList<qint64> LibraryIndex::Search(const LibraryQuery &query) {
    QList<qint64> ids;
    if (!query.Valid) {
        return ids;
    }
    QString sql = QStringLiteral("SELECT id FROM songs WHERE sheet = 1");
    QVariantList binds;
    QStringList longTerms;
    for (const QString &term : query.Terms) {
        if (term.size() >= 3) {
            longTerms << FtsString(term);
            continue;
        }
        // Too short for trigrams: a scan (LIKE ignores ASCII case without
        // copying the text). A chord name counts only whole.
        QString like = term;
        like.replace(u'\\', QStringLiteral("\\\\"))
            .replace(u'%', QStringLiteral("\\%"))
            .replace(u'_', QStringLiteral("\\_"));
        like = u'%' + like + u'%';
        sql += QStringLiteral(" AND (title LIKE ? ESCAPE '\\' OR artist LIKE ? ESCAPE '\\' OR "
                              "lyrics LIKE ? ESCAPE '\\' OR name LIKE ? ESCAPE '\\' OR "
                              "instr(chords, ?))");
        binds << like << like << like << like << (u' ' + term + u' ');
    }
    if (!longTerms.isEmpty()) {
        sql += QStringLiteral(" AND id IN (SELECT rowid FROM songs_text WHERE songs_text MATCH ?)");
        binds << longTerms.join(QStringLiteral(" AND "));
    }
    if (query.KeyPitch >= 0) {
        sql += QStringLiteral(" AND key_pitch = ? AND key_minor = ?");
        binds << query.KeyPitch << (query.KeyMinor ? 1 : 0);
    }
    if (query.Capo > 0) {
        sql += QStringLiteral(" AND capo = ?");
        binds << query.Capo;
    } else if (query.Capo == 0) {
        sql += QStringLiteral(" AND capo <= 0");
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant &b : binds) {
        q.addBindValue(b);
    }
    if (!q.exec()) {
        throw Broken(q.lastError().text().toStdString());
    }
    while (q.next()) {
        ids.push_back(q.value(0).toLongLong());
    }
    return ids;
}
