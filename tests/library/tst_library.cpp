// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "library/LibraryIndex.h"
#include "library/LibraryScan.h"
#include "library/LibraryWorker.h"
#include "library/SetPlayer.h"
#include "library/Setlist.h"
#include "library/SheetSummary.h"
#include "platform/CodePage932.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using testsupport::WriteAll;

class tst_Library : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString Lib() const { return m_dir.path() + QStringLiteral("/songs"); }
    QString Db() const { return m_dir.path() + QStringLiteral("/library.sqlite"); }
    void Scan(LibraryIndex &index) {
        libraryscan::Apply(index, libraryscan::MakePlan(directory::Walk({Lib()}), index.Stamps()));
    }
    QStringList Titles(LibraryIndex &index, const QString &query) {
        QHash<qint64, QString> titles;
        for (const LibrarySong &s : index.Songs()) {
            titles.insert(s.Id, s.Title);
        }
        QStringList found;
        for (qint64 id : index.Search(LibraryQuery::Parse(query))) {
            found << titles.value(id);
        }
        found.sort();
        return found;
    }

private slots:
    // Title, artist, key and capo from each place a sheet may say them.
    void summary_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("capo");
        QTest::newRow("chordpro") << "{title: Amazing Grace}\r\n{artist: John Newton}\r\n"
                                     "{key: G}\r\n{capo: 2}\r\n[G]Amazing [C]grace\r\n"
                                  << "Amazing Grace"
                                  << "John Newton"
                                  << "G" << 2;
        QTest::newRow("meta and subtitle")
            << "{meta: title 朧月夜}\r\n{subtitle: 岡野貞一}\r\n[C]菜の花[F]畑に\r\n"
            << "朧月夜"
            << "岡野貞一"
            << "C" << -1;
        QTest::newRow("plain, credit lines")
            << "ふるさと\r\n作詞：高野辰之　作曲：岡野貞一\r\nKey: F\r\nCapo 3\r\n\r\nF    C\r\n"
               "うさぎ追いし\r\n"
            << "ふるさと"
            << "高野辰之"
            << "F" << 3;
        QTest::newRow("singer first") << "Song\r\n作曲: A\r\n歌: B\r\n\r\nAm   G\r\nla la\r\n"
                                      << "Song"
                                      << "B"
                                      << "Am" << -1;
        QTest::newRow("credits in brackets")
            << "ふるさと　（作詞 高野辰之／作曲 岡野貞一）\r\n\r\nF    C\r\nうさぎ\r\n"
            << "ふるさと"
            << "岡野貞一"
            << "F" << -1;
        QTest::newRow("name in brackets")
            << "Amazing Grace  (John Newton, 1779)\r\nCapo 0\r\n\r\nG    C\r\nla\r\n"
            << "Amazing Grace"
            << "John Newton"
            << "G" << 0;
        QTest::newRow("label, byline") << "曲名：さくら／森山直太朗\r\n\r\nC  G\r\nさくら\r\n"
                                       << "さくら"
                                       << "森山直太朗"
                                       << "C" << -1;
        QTest::newRow("byline before a composer")
            << "Wonderwall - Oasis\r\nWords & Music by Noel Gallagher\r\n\r\nC  G\r\nla\r\n"
            << "Wonderwall"
            << "Oasis"
            << "C" << -1;
        QTest::newRow("label, written by") << "Title: Danny Boy\r\nWritten by Fred Weatherly\r\n"
                                              "\r\nC  G\r\nOh Danny\r\n"
                                           << "Danny Boy"
                                           << "Fred Weatherly"
                                           << "C" << -1;
        QTest::newRow("key from chords, flats")
            << "\r\n  Title here \r\nBb    F\r\nMusic by the river\r\n"
            << "Title here"
            << ""
            << "B♭" << -1;
    }
    void summary() {
        QFETCH(QString, text);
        const sheetsummary::Summary s = sheetsummary::Summarize(text);
        QVERIFY(s.IsSheet);
        QFETCH(QString, title);
        QFETCH(QString, artist);
        QFETCH(QString, key);
        QFETCH(int, capo);
        QCOMPARE(s.Title, title);
        QCOMPARE(s.Artist, artist);
        QCOMPARE(s.Key, key);
        QCOMPARE(s.Capo, capo);
    }

    // A library of sheets in three encodings, and files that are none.
    void index() {
        QDir().mkpath(Lib() + QStringLiteral("/演歌/deep"));
        QDir().mkpath(Lib() + QStringLiteral("/.hidden"));
        WriteAll(Lib() + QStringLiteral("/furusato.txt"),
                 cp932::Encode(QStringLiteral(
                     "ふるさと\r\n作詞：高野辰之\r\n\r\nF      C\r\nうさぎ追いし\r\n")));
        WriteAll(Lib() + QStringLiteral("/演歌/deep/oborozuki.cho"),
                 QStringLiteral("{title: 朧月夜}\r\n{key: C}\r\n{capo: 2}\r\n[C]菜の花[F]畑に入日"
                                "薄れ\r\n")
                     .toUtf8());
        WriteAll(Lib() + QStringLiteral("/grace.txt"),
                 QByteArray("Amazing Grace\nArtist: John Newton\n\nG        C\nHow sweet the "
                            "sound\n"));
        WriteAll(Lib() + QStringLiteral("/notes.txt"), QByteArray("no chords here\n"));
        WriteAll(Lib() + QStringLiteral("/cover.jpg"), QByteArray("\xff\xd8\x00\x01", 4));
        WriteAll(Lib() + QStringLiteral("/.hidden/x.txt"), QByteArray("C\nla\n"));
        {
            LibraryIndex index(Db());
            QString why;
            QVERIFY(index.Open(why));
            QVERIFY2(why.isEmpty(), qPrintable(why));
            Scan(index);
            QCOMPARE(index.Songs().size(), 3);
            const QStringList all{"Amazing Grace", "ふるさと", "朧月夜"};
            const QList<QPair<QString, QStringList>> searches{
                {"", all},
                {"うさぎ", {"ふるさと"}},            // lyrics, CP932 file
                {"高野辰之", {"ふるさと"}},          // artist
                {"菜の花畑", {"朧月夜"}},            // across two cells
                {"sweet", {"Amazing Grace"}},        // English, any case
                {"GRACE newton", {"Amazing Grace"}}, // every word must match
                {"月", {"朧月夜"}},                  // one character
                {"さと", {"ふるさと"}},              // two characters
                {"F", {"ふるさと", "朧月夜"}},       // a chord name, whole
                {"key:G", {"Amazing Grace"}},
                {"key:H", {}},
                {"capo:2", {"朧月夜"}},
                {"capo:0 sweet", {"Amazing Grace"}},
                {"\"quoted", {}},
                {"oborozuki", {"朧月夜"}}, // the file's name
            };
            for (const auto &[query, titles] : searches) {
                QCOMPARE(Titles(index, query), titles);
            }
            // Unchanged files are not read again.
            QVERIFY(libraryscan::MakePlan(directory::Walk({Lib()}), index.Stamps()).Read.empty());

            // Renamed, changed, deleted.
            QVERIFY(QFile::rename(Lib() + QStringLiteral("/grace.txt"),
                                  Lib() + QStringLiteral("/演歌/grace2.txt")));
            WriteAll(Lib() + QStringLiteral("/furusato.txt"),
                     cp932::Encode(QStringLiteral("故郷\r\n\r\nG      D\r\n小鮒釣りし\r\n")));
            QVERIFY(QFile::remove(Lib() + QStringLiteral("/演歌/deep/oborozuki.cho")));
            Scan(index);
            QCOMPARE(Titles(index, ""), (QStringList{"Amazing Grace", "故郷"}));
            QCOMPARE(Titles(index, "うさぎ"), QStringList());
            QCOMPARE(Titles(index, "小鮒釣り"), QStringList{"故郷"});
            QCOMPARE(index.Songs().front().Path, Lib() + QStringLiteral("/演歌/grace2.txt"));
        }
        // A newer schema, then a corrupt file: made anew, with a reason.
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "v");
            db.setDatabaseName(Db());
            QVERIFY(db.open());
            QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version=99"));
            db.close();
        }
        QSqlDatabase::removeDatabase("v");
        for (const QByteArray &damage : {QByteArray(), QByteArray(4096, 'x')}) {
            if (!damage.isEmpty()) {
                WriteAll(Db(), damage);
            }
            LibraryIndex index(Db());
            QString why;
            QVERIFY(index.Open(why));
            QVERIFY(!why.isEmpty());
            QCOMPARE(index.Songs().size(), 0);
            Scan(index);
            QCOMPARE(index.Songs().size(), 2);
        }
        // Changed under an open index, as the program must notice between searches.
        const QString copy = Db() + QStringLiteral(".copy");
        const QList<std::function<void()>> damages{
            [&] { QFile::remove(Db()); },
            [&] { WriteAll(Db(), QByteArray(100, 'x')); }, // overwritten in place
            [&] {                                          // a sound database, but another
                QFile::copy(Db(), copy);
                QFile::remove(Db());
                QFile::rename(copy, Db());
            },
        };
        for (const auto &damage : damages) {
            LibraryIndex index(Db());
            QString why;
            QVERIFY(index.Open(why));
            QVERIFY(index.StillSound());
            damage();
            QVERIFY(!index.StillSound());
        }
    }

    // The sheet opened at start, before the first scan, is kept as opened.
    void openedBeforeScan() {
        const QString folder = m_dir.path() + QStringLiteral("/fresh");
        QDir().mkpath(folder);
        WriteAll(folder + QStringLiteral("/a.txt"), QByteArray("A\r\n\r\nC   G\r\nla li\r\n"));
        LibraryWorker worker(folder + QStringLiteral(".sqlite"));
        QList<LibrarySong> songs;
        connect(&worker, &LibraryWorker::Catalog, this,
                [&](const QList<LibrarySong> &found) { songs = found; });
        worker.MarkOpened(folder + QStringLiteral("/a.txt"));
        worker.SetFolders({folder});
        QTRY_COMPARE(songs.size(), 1);
        QVERIFY(songs.front().Opened > 0);
    }

    // Hand-written setlists: read, edited and written back.
    void setlist() {
        const QString text = QStringLiteral("# 土曜のセッション\n"
                                            "furusato.txt\tcapo=3\n"
                                            "\n"
                                            "/abs/grace.txt\ttranspose=-2\tcolor=red\n"
                                            "# アンコール\n"
                                            "演歌/oborozuki.cho\tcapo=12\n");
        Setlist list = Setlist::Parse(text);
        QCOMPARE(list.Text(), text); // a round trip changes nothing
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.At(0).Capo, 3);
        QCOMPARE(list.At(1).Transpose, -2);
        QVERIFY(list.At(1).HasTranspose);
        QCOMPARE(list.At(1).Other, QStringList{"color=red"});
        QCOMPARE(list.At(2).Capo, -1); // out of range: kept as written
        QCOMPARE(list.At(2).Other, QStringList{"capo=12"});
        list.Move(2, 0);
        list.Remove(2);
        list.Append({QStringLiteral("new.txt"), 1, false, 0, {}});
        QCOMPARE(list.Text(), QStringLiteral("# 土曜のセッション\n"
                                             "演歌/oborozuki.cho\tcapo=12\n"
                                             "\n"
                                             "furusato.txt\tcapo=3\n"
                                             "# アンコール\n"
                                             "new.txt\tcapo=1\n"));
        // Relative: the setlist's folder first, then each library folder.
        const auto exists = [](const QString &p) { return p.startsWith(u"/lib2/"); };
        QCOMPARE(Setlist::Resolve("a/b.txt", "/sets", {"/lib1", "/lib2"}, exists),
                 QStringLiteral("/lib2/a/b.txt"));
        QCOMPARE(Setlist::Resolve("x.txt", "/sets", {"/lib1"}, exists),
                 QStringLiteral("/sets/x.txt"));
        QCOMPARE(Setlist::WrittenPath("/lib2/a/b.txt", {"/lib1", "/lib2"}),
                 QStringLiteral("a/b.txt"));
        QCOMPARE(Setlist::WrittenPath("/elsewhere/b.txt", {"/lib1"}),
                 QStringLiteral("/elsewhere/b.txt"));
    }

    // Next and previous pass over missing songs and stop at the ends.
    void player() {
        SetPlayer player;
        player.Start({{"a", "A"}, {"b", "B", -1, false, 0, true}, {"c", "C"}});
        QCOMPARE(player.Neighbour(-1), -1);
        QCOMPARE(player.Neighbour(1), 0);
        player.Go(0);
        QCOMPARE(player.Neighbour(1), 2);
        player.Go(2);
        QCOMPARE(player.Position(), QStringLiteral("3 / 3"));
        QCOMPARE(player.Neighbour(1), -1);
        QCOMPARE(player.Neighbour(-1), 0);
        QVERIFY(!player.Follow("elsewhere"));
        QCOMPARE(player.Position(), QString());
        using pageturn::Action;
        QCOMPARE(pageturn::Decide(true, 10, 0, 20), Action::Scroll);
        QCOMPARE(pageturn::Decide(true, 20, 0, 20), Action::NextSong);
        QCOMPARE(pageturn::Decide(false, 0, 0, 20), Action::PreviousSong);
        QCOMPARE(pageturn::Decide(false, 0, 0, 0), Action::PreviousSong);
    }
};

QTEST_GUILESS_MAIN(tst_Library)
#include "tst_library.moc"
