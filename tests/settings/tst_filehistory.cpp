// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FileHistory.h"
#include "settings/PrivateProfile.h"
#include "settings/SongMemory.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A history bound to nine actions and a separator, as the File menu binds it.
struct Bound {
    Bound() {
        history.SetHistorySize(9);
        for (int16_t i = 1; i <= 9; ++i) {
            actions.push_back(std::make_unique<QAction>());
            actions.back()->setVisible(true);
            history.SetMenu(i, actions.back().get());
        }
        separator.setSeparator(true);
        history.SetDummy(&separator);
    }
    QStringList Paths() const {
        QStringList out;
        for (int16_t i = 1; i <= 9; ++i) {
            out << history.HistoryItem(i);
        }
        while (!out.isEmpty() && out.back().isEmpty()) {
            out.removeLast();
        }
        return out;
    }
    int Visible() const {
        int n = 0;
        for (const auto &a : actions) {
            n += a->isVisible() ? 1 : 0;
        }
        return n;
    }
    FileHistory history;
    std::vector<std::unique_ptr<QAction>> actions;
    QAction separator;
};

class TestFileHistory : public QObject {
    Q_OBJECT

private slots:
    void add_data();
    void add();
    void captions_data();
    void captions();
    void storage();
    void voicings_data();
    void voicings();
    void songs();
};

void TestFileHistory::add_data() {
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("visible");
    QTest::newRow("none") << QStringList{} << QStringList{} << 0;
    QTest::newRow("empty path ignored") << QStringList{""} << QStringList{} << 0;
    QTest::newRow("first") << QStringList{"/a"} << QStringList{"/a"} << 1;
    QTest::newRow("slot 3 moves to the front")
        << QStringList{"/c", "/b", "/a", "/c"} << QStringList{"/c", "/a", "/b"} << 3;
    QTest::newRow("upper-case comparison keeps the new spelling")
        << QStringList{"C:\\X.TXT", "/y", "c:\\x.txt"} << QStringList{"c:\\x.txt", "/y"} << 2;
    QTest::newRow("a tenth path drops the oldest")
        << QStringList{"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9", "/10"}
        << QStringList{"/10", "/9", "/8", "/7", "/6", "/5", "/4", "/3", "/2"} << 9;
}

void TestFileHistory::add() {
    QFETCH(QStringList, added);
    QFETCH(QStringList, expected);
    QFETCH(int, visible);
    Bound b;
    QCOMPARE(b.Visible(), 0); // binding hides
    QVERIFY(!b.separator.isVisible());
    for (const QString &p : added) {
        b.history.AddHistory(p);
    }
    QCOMPARE(b.Paths(), expected);
    QCOMPARE(b.history.HistoryCount(), int16_t(expected.size()));
    QCOMPARE(b.Visible(), visible);
    for (int i = 0; i < visible; ++i) {
        QVERIFY(b.actions[static_cast<size_t>(i)]->isVisible());
    }
    QCOMPARE(b.separator.isVisible(), !expected.isEmpty());
}

void TestFileHistory::captions_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");
    QTest::newRow("short") << "D:\\a.txt"
                           << "&1 D:\\a.txt";
    QTest::newRow("24 characters") << "C:\\Music\\Sheets\\song.txt"
                                   << "&1 ...usic\\Sheets\\song.txt";
    QTest::newRow("exactly 20") << "/home/u/a/b/song.txt"
                                << "&1 /home/u/a/b/song.txt";
    QTest::newRow("21") << "/home/u/a/bc/song.txt"
                        << "&1 ...home/u/a/bc/song.txt";
    QTest::newRow("characters not bytes") << "/曲/ふるさとふるさとふるさと唱歌.txt"
                                          << "&1 ...曲/ふるさとふるさとふるさと唱歌.txt";
    QTest::newRow("ampersand shown as itself") << "/Tom&Jerry.txt"
                                               << "&1 /Tom&&Jerry.txt";
}

void TestFileHistory::captions() {
    QFETCH(QString, path);
    QFETCH(QString, caption);
    Bound b;
    b.history.AddHistory(path);
    QCOMPARE(b.actions[0]->text(), caption);
    QCOMPARE(b.actions[0]->data().toString(), path);
    QCOMPARE(b.actions[1]->text(), QString("&2 ")); // empty slots keep a caption
}

void TestFileHistory::storage() {
    QTemporaryDir dir;
    PrivateProfile profile;
    profile.SetIniFilename(dir.filePath("t.INI"));
    QFile f(profile.IniFilename());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[History]\r\n5=/only/five.txt\r\n7=/ONLY/FIVE.TXT\r\n");
    f.close();
    Bound b;
    b.history.SetProfile(&profile, "History");
    b.history.LoadHistoryFile();
    QCOMPARE(b.Paths(), QStringList{"/only/five.txt"}); // the lower number wins
    b.history.SaveHistoryFile();
    QCOMPARE(profile.GetString("History", "1", "x"), QString("/only/five.txt"));
    for (int i = 2; i <= 9; ++i) {
        QCOMPARE(profile.GetString("History", QString::number(i), "x"), QString());
    }
    // A round trip keeps order and spelling.
    b.history.AddHistory("/b.txt");
    b.history.AddHistory("/c.txt");
    b.history.SaveHistoryFile();
    Bound again;
    again.history.SetProfile(&profile, "History");
    again.history.LoadHistoryFile();
    QCOMPARE(again.Paths(), (QStringList{"/c.txt", "/b.txt", "/only/five.txt"}));
    QCOMPARE(again.Visible(), 3);
}

void TestFileHistory::voicings_data() {
    // Each step "path:chord=line ..." sets a sheet's choices; what the file
    // gives back, most recent first, as "path:count".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("sheets");
    QTest::newRow("one") << QStringList{"/s/a.txt:C=X-3-2-0-1-0 G7=1-0-0-0-2-3"} << "/s/a.txt:2"
                         << 1;
    QTest::newRow("most recent first")
        << QStringList{"/a:C=0-1-0-2-3-X", "/b:D=2-3-2-0-X-X", "/a:C=3*5-5-5-5-3-X"} << "/a:1" << 2;
    QTest::newRow("a path with blanks and non-CP932 letters")
        << QStringList{"/曲/ギター Ü/a b.txt:Am=0-1-2-2-0-X"} << "/曲/ギター Ü/a b.txt:1" << 1;
    QStringList many;
    for (int i = 1; i <= 210; ++i) {
        many << QStringLiteral("/s/%1.txt:C=0-1-0-2-3-X").arg(i);
    }
    QTest::newRow("two hundred kept, the oldest go") << many << "/s/210.txt:1" << 200;
}

void TestFileHistory::voicings() {
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    QFETCH(int, sheets);
    QTemporaryDir dir;
    PrivateProfile profile;
    profile.SetIniFilename(dir.filePath("t.INI"));
    SongMemory memory;
    for (const QString &step : steps) {
        const qsizetype colon = step.lastIndexOf(u':');
        SongMemory::Choices choices;
        for (const QString &c : step.mid(colon + 1).split(u' ')) {
            choices.emplace_back(c.section(u'=', 0, 0), c.section(u'=', 1));
        }
        memory.SetVoicings(step.left(colon), choices);
    }
    memory.Save(profile);
    SongMemory back;
    back.Load(profile);
    QCOMPARE(back.Size(), sheets);
    const QString first = expected.section(u':', 0, 0);
    QCOMPARE(int(back.Of(first).size()), expected.section(u':', 1).toInt());
    // The last step's choices come back exactly.
    const QString last = steps.back();
    const QString lastPath = last.left(last.lastIndexOf(u':'));
    QCOMPARE(back.Of(lastPath), memory.Of(lastPath));
    QCOMPARE(back.Of(lastPath).back().second, last.section(u'=', -1));
    if (sheets == 200) {
        QVERIFY(back.Of(QStringLiteral("/s/10.txt")).empty());
        QVERIFY(!back.Of(QStringLiteral("/s/11.txt")).empty());
    }
}

// A song's state comes back as it was; fingerings an older version kept in
// [Voicings] are read in once; a hand-edited state is ignored, not an error.
void TestFileHistory::songs() {
    QTemporaryDir dir;
    PrivateProfile profile;
    profile.SetIniFilename(dir.filePath("t.INI"));
    profile.WritePath("Voicings", "Sheet1", "/old.txt");
    profile.WritePath("Voicings", "Chords1", "C=3-3-2-0-1-0");
    profile.WritePath("Songs", "Sheet1", "/spoiled.txt");
    profile.WritePath("Songs", "State1", "12 0 100 0 0"); // no capo 12
    profile.WritePath("Songs", "Chords1", "G=3-2-0-0-0-3");
    SongMemory memory;
    memory.Load(profile);
    QVERIFY(!memory.Find("/spoiled.txt")->HasState);
    QCOMPARE(memory.Of("/old.txt").size(), size_t(1));
    SongMemory::Song song;
    song.HasState = true;
    song.Capo = 3;
    song.Transpose = -2;
    song.Zoom = 150;
    song.ScrollY = 420;
    memory.Set("/曲/a b.txt", song);
    memory.Save(profile);
    SongMemory back;
    back.Load(profile);
    const SongMemory::Song *got = back.Find("/曲/a b.txt");
    QVERIFY(got && got->HasState);
    QCOMPARE(
        QList<int>({got->Capo, got->Transpose, got->Zoom, int(got->ScrollX), int(got->ScrollY)}),
        QList<int>({3, -2, 150, 0, 420}));
    QCOMPARE(back.Of("/old.txt").size(), size_t(1));                       // now among the songs
    QCOMPARE(profile.GetPath("Voicings", "Sheet1", QString()), QString()); // read once
    QCOMPARE(back.Size(), 3);
}

QTEST_MAIN(TestFileHistory)
#include "tst_filehistory.moc"
