// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "chords/Chord.h"
#include "platform/AppError.h"
#include "platform/CodePage932.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Writes a position file of the given lines (CR LF, Shift-JIS) and returns its path.
QString WriteFile(const QTemporaryDir &dir, const QStringList &lines,
                  const QString &name = QStringLiteral("pos.ini"), const char *eol = "\r\n") {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    for (const QString &l : lines) {
        f.write(cp932::Encode(l));
        f.write(eol);
    }
    return path;
}

QString Frets(const Chord &c, int16_t id) {
    QStringList parts;
    for (int16_t s = 1; s <= c.StringSize(); ++s) {
        parts << QStringLiteral("%1x%2").arg(c.Flat(id, s)).arg(c.Multi(id, s));
    }
    return parts.join(u' ');
}

} // namespace

class TestChord : public QObject {
    Q_OBJECT

private slots:
    void workedExample();
    void errors_data();
    void errors();
    void foreignErrors_data();
    void foreignErrors();
    void accepted_data();
    void accepted();
    void lineEnds_data();
    void lineEnds();
    void encodings_data();
    void encodings();
    void noRollBack();
    void aliases();
    void majSections();
    void registWithoutFile();
    void limits();
    void hostileFiles_data();
    void hostileFiles();
};

void TestChord::workedExample() {
    QTemporaryDir dir;
    Chord c;
    c.LoadChordPosition(WriteFile(dir, {"# guitar", "[G]", "3-0-0-0-2-3", "3*6-3-4-5-5-3"}));
    QCOMPARE(c.StringSize(), int16_t(6));
    QCOMPARE(c.FlatSize(), int16_t(4));
    QCOMPARE(c.SearchPosition("G"), int16_t(1));
    QCOMPARE(Frets(c, 1), QString("3x1 0x1 0x1 0x1 2x1 3x1"));
    QCOMPARE(c.FlatMin(1), int16_t(2));
    QCOMPARE(c.FlatMax(1), int16_t(3));
    QCOMPARE(c.NextPosition(1), int16_t(2));
    QCOMPARE(Frets(c, 2), QString("3x6 3x1 4x1 5x1 5x1 3x1"));
    QCOMPARE(c.FlatMin(2), int16_t(3));
    QCOMPARE(c.FlatMax(2), int16_t(5));
    QCOMPARE(c.NextPosition(2), int16_t(0));
    QCOMPARE(c.PositionSize(1), int16_t(2));
    QCOMPARE(c.PositionSize(2), int16_t(1));
    QCOMPARE(c.PositionSize(0), int16_t(0));
    QCOMPARE(c.NextPosition(0), int16_t(0));
}

void TestChord::errors_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    const int format = Chord::ErrorFormat;
    QTest::newRow("fingering before any header") << QStringList{"# c", "", "3-0-0-0-2-3"} << format
                                                 << "pos.ini(3): コード名が指定されていません";
    QTest::newRow("alias before any header")
        << QStringList{">C"} << format << "pos.ini(1): コード名が指定されていません";
    QTest::newRow("empty header") << QStringList{"[C]", "0-1-0-2-3-X", "[ ]", "0-1-0-2-3-X"}
                                  << format << "pos.ini(4): コード名が指定されていません";
    QTest::newRow("too many strings")
        << QStringList{"[C]", "0-0-0-0-0-0-0-0"} << format << "pos.ini(2): 弦の数は3～7本です";
    QTest::newRow("too few strings")
        << QStringList{"[C]", "0-0"} << format << "pos.ini(2): 弦の数は3～7本です";
    QTest::newRow("string count changes") << QStringList{"[C]", "0-1-0-2-3-X", "[D]", "2-3-2-0-X"}
                                          << format << "pos.ini(4): ポジションデータが不正です";
    QTest::newRow("span 7") << QStringList{"[C]", "1-7-0-0-0-0"} << int(Chord::ErrorFretRange)
                            << "pos.ini(2): フレットの範囲は最大6です";
    QTest::newRow("multiplier not a number")
        << QStringList{"[C]", "3*a-0-0-0-0-0"} << int(Chord::ErrorMultiNotNumber)
        << "pos.ini(2): 倍数指定に数値以外を使用しています";
    QTest::newRow("empty multiplier")
        << QStringList{"[C]", "3*-0-0-0-0-0"} << int(Chord::ErrorMultiNotNumber)
        << "pos.ini(2): 倍数指定に数値以外を使用しています";
    QTest::newRow("barre past the last string")
        << QStringList{"[C]", "0-3*6-0-0-0-0"} << int(Chord::ErrorMultiRange)
        << "pos.ini(2): 倍数指定の値が誤っています";
    QTest::newRow("multiplier 0") << QStringList{"[C]", "3*0-0-0-0-0-0"}
                                  << int(Chord::ErrorMultiRange)
                                  << "pos.ini(2): 倍数指定の値が誤っています";
    QTest::newRow("muted string with a bad multiplier")
        << QStringList{"[C]", "0-0-0-0-0-X*2"} << int(Chord::ErrorMultiRange)
        << "pos.ini(2): 倍数指定の値が誤っています";
    const int fret = Chord::ErrorFret;
    const QString fretText = "pos.ini(2): フレットの指定が誤っています";
    QTest::newRow("fret 21") << QStringList{"[C]", "21-0-0-0-0-0"} << fret << fretText;
    QTest::newRow("leading zero") << QStringList{"[C]", "03-0-0-0-0-0"} << fret << fretText;
    QTest::newRow("full-width digit") << QStringList{"[C]", "３-0-0-0-0-0"} << fret << fretText;
    QTest::newRow("empty entry") << QStringList{"[C]", "3--0-0-0-0"} << fret << fretText;
    QTest::newRow("line starting with -") << QStringList{"[C]", "-3-0-0-0-0"} << fret << fretText;
    QTest::newRow("sign") << QStringList{"[C]", "+3-0-0-0-0-0"} << fret << fretText;
    QTest::newRow("fraction") << QStringList{"[C]", "3.0-0-0-0-0-0"} << fret << fretText;
    QTest::newRow("header with a comment after it")
        << QStringList{"[C]", "[D] # d"} << format << "pos.ini(2): 弦の数は3～7本です";
    QTest::newRow("unclosed header is a fingering line")
        << QStringList{"[C]", "0-1-0-2-3-X", "[D"} << format
        << "pos.ini(3): ポジションデータが不正です";
    QTest::newRow("alias to a chord defined later")
        << QStringList{"[Db]", ">C#", "[C#]", "4-6-6-6-4-X"} << int(Chord::ErrorAliasTarget)
        << "pos.ini(2): コード\"C#\"が登録されていません";
    QTest::newRow("alias to nothing") << QStringList{"[Db]", ">"} << int(Chord::ErrorAliasTarget)
                                      << "pos.ini(2): コード\"\"が登録されていません";
}

void TestChord::errors() {
    QFETCH(QStringList, lines);
    QFETCH(int, number);
    QFETCH(QString, description);
    QTemporaryDir dir;
    Chord c;
    try {
        c.LoadChordPosition(WriteFile(dir, lines));
        QFAIL("the load must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), number);
        QCOMPARE(e.Description(), description);
    }
}

void TestChord::foreignErrors_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("needle"); // what the description must name
    QTest::newRow("duplicate key")
        << QStringList{"[C]", "0-1-0-2-3-X", ">C"} << int(AppError::DuplicateKey) << "\"C\"";
    QTest::newRow("multiplier beyond 16 bits")
        << QStringList{"[C]", "3*99999-0-0-0-0-0"} << int(AppError::Overflow) << "99999";
}

void TestChord::foreignErrors() {
    QFETCH(QStringList, lines);
    QFETCH(int, number);
    QFETCH(QString, needle);
    QTemporaryDir dir;
    Chord c;
    try {
        c.LoadChordPosition(WriteFile(dir, lines));
        QFAIL("the load must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), number);
        QVERIFY2(!e.Description().startsWith("pos.ini("), qPrintable(e.Description()));
        QVERIFY2(e.Description().contains(needle), qPrintable(e.Description()));
    }
}

void TestChord::accepted_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("chord");
    QTest::addColumn<QString>("frets");
    QTest::addColumn<int>("flatMin");
    QTest::addColumn<int>("flatMax");
    QTest::newRow("lower-case x") << QStringList{"[C]", "0-1-0-2-3-x"} << "C"
                                  << "0x1 1x1 0x1 2x1 3x1 -1x1" << 1 << 3;
    QTest::newRow("blanks around everything")
        << QStringList{"  \t[ Am ]\u3000", " 0 - 1 - 2 - 2 - 0 - X "} << "Am"
        << "0x1 1x1 2x1 2x1 0x1 -1x1" << 1 << 2;
    QTest::newRow("open string with a multiplier stores 1")
        << QStringList{"[E]", "0*3-0-1-2-2-0"} << "E"
        << "0x1 0x1 1x1 2x1 2x1 0x1" << 1 << 2;
    QTest::newRow("barre on string 1 of 6") << QStringList{"[F]", "1*6-1-2-3-3-1"} << "F"
                                            << "1x6 1x1 2x1 3x1 3x1 1x1" << 1 << 3;
    QTest::newRow("multiplier with blanks and a fraction")
        << QStringList{"[F]", "1 * 2.5 -1-2-3-3-1"} << "F"
        << "1x2 1x1 2x1 3x1 3x1 1x1" << 1 << 3;
    QTest::newRow("multiplier rounds half up to even")
        << QStringList{"[F]", "1*3.5-1-2-3-3-1"} << "F"
        << "1x4 1x1 2x1 3x1 3x1 1x1" << 1 << 3;
    QTest::newRow("span 6 passes") << QStringList{"[Q]", "1-6-X-X-X-X"} << "Q"
                                   << "1x1 6x1 -1x1 -1x1 -1x1 -1x1" << 1 << 6;
    QTest::newRow("only open and muted") << QStringList{"[E5]", "X-X-X-2-2-0"} << "E5"
                                         << "-1x1 -1x1 -1x1 2x1 2x1 0x1" << 2 << 2;
    QTest::newRow("nothing fretted") << QStringList{"[N]", "0-0-X-X-0-0"} << "N"
                                     << "0x1 0x1 -1x1 -1x1 0x1 0x1" << 1 << 1;
    QTest::newRow("fret 20") << QStringList{"[H]", "20-20-20"} << "H"
                             << "20x1 20x1 20x1" << 20 << 20;
    QTest::newRow("seven strings") << QStringList{"[B]", "2-3-4-4-2-X-X"} << "B"
                                   << "2x1 3x1 4x1 4x1 2x1 -1x1 -1x1" << 2 << 4;
    QTest::newRow("comment after blanks") << QStringList{"  # [X]", "[C]", "0-1-0-2-3-X"} << "C"
                                          << "0x1 1x1 0x1 2x1 3x1 -1x1" << 1 << 3;
}

void TestChord::accepted() {
    QFETCH(QStringList, lines);
    QFETCH(QString, chord);
    QFETCH(QString, frets);
    QFETCH(int, flatMin);
    QFETCH(int, flatMax);
    QTemporaryDir dir;
    Chord c;
    c.LoadChordPosition(WriteFile(dir, lines));
    const int16_t id = c.SearchPosition(chord);
    QVERIFY(id > 0);
    QCOMPARE(Frets(c, id), frets);
    QCOMPARE(c.FlatMin(id), int16_t(flatMin));
    QCOMPARE(c.FlatMax(id), int16_t(flatMax));
    QCOMPARE(c.FlatSize(), int16_t(std::max(4, flatMax - flatMin + 1)));
}

void TestChord::lineEnds_data() {
    QTest::addColumn<QByteArray>("eol");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("CR") << QByteArray("\r");
    QTest::newRow("LF") << QByteArray("\n");
}

// Every physical line counts, whatever ends it.
void TestChord::lineEnds() {
    QFETCH(QByteArray, eol);
    QTemporaryDir dir;
    const QString path = WriteFile(dir, {"# a", "", "[C]", "0-1-0-2-3-X", "", "21-0-0-0-0-0"},
                                   "pos.ini", eol.constData());
    Chord c;
    try {
        c.LoadChordPosition(path);
        QFAIL("the load must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Description(), QString("pos.ini(6): フレットの指定が誤っています"));
    }
    // A file of mixed line ends and no final line end.
    QFile f(dir.filePath("mixed.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[C]\r0-1-0-2-3-X\n[D]\r\nX-X-0-2-3-2\r\n\r\n[E]\n0-0-1-2-2-0");
    f.close();
    c.LoadChordPosition(f.fileName());
    QCOMPARE(c.PositionSize(c.SearchPosition("E")), int16_t(1));
    QCOMPARE(c.ChordDictionary()->Count(), 3);
}

void TestChord::encodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("chord");
    QTest::newRow("CP932") << QByteArray("[\x83\x41]\r\n0-1-0-2-3-X\r\n") << "ア";
    QTest::newRow("UTF-8 with BOM")
        << QByteArray("\xEF\xBB\xBF[\xE3\x82\xA2]\r\n0-1-0-2-3-X\r\n") << "ア";
    QTest::newRow("BOM before a comment") << QByteArray("\xEF\xBB\xBF# c\n[C]\n0-1-0-2-3-X") << "C";
}

// A UTF-8 BOM makes the file UTF-8; without one it stays CP932.
void TestChord::encodings() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, chord);
    QTemporaryDir dir;
    QFile f(dir.filePath("pos.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    Chord c;
    c.LoadChordPosition(f.fileName());
    QCOMPARE(c.PositionSize(c.SearchPosition(chord)), int16_t(1));
}

void TestChord::noRollBack() {
    QTemporaryDir dir;
    Chord c;
    c.RegistChord("Z", "0-0-0-0-0-0");
    QVERIFY_THROWS_EXCEPTION(
        AppError, c.LoadChordPosition(
                      WriteFile(dir, {"[C]", "0-1-0-2-3-X", "1-7-0-0-0-0", "[D]", "X-X-0-2-3-2"})));
    QCOMPARE(c.SearchPosition("Z"), int16_t(0)); // the load started from empty
    QCOMPARE(c.SearchPosition("C"), int16_t(1));
    QCOMPARE(c.SearchPosition("D"), int16_t(0)); // nothing after the faulty line
    QCOMPARE(c.StringSize(), int16_t(6));
    QCOMPARE(c.FlatSize(), int16_t(4));

    // The string count is fixed once the first line passes its count check.
    Chord d;
    QVERIFY_THROWS_EXCEPTION(AppError, d.LoadChordPosition(WriteFile(dir, {"[C]", "21-0-0-0"})));
    QCOMPARE(d.StringSize(), int16_t(4));
    QCOMPARE(d.ChordDictionary()->Count(), 0);

    // A file that is not there: the name is kept and the dictionary emptied.
    const QString missing = dir.filePath("nothing.ini");
    try {
        c.LoadChordPosition(missing);
        QFAIL("a missing file must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), int(AppError::FileNotFound));
        QVERIFY(e.Description().contains(QDir(dir.path()).absoluteFilePath("nothing.ini")));
    }
    QCOMPARE(c.Filename(), missing);
    QCOMPARE(c.SearchPosition("C"), int16_t(0));
    QCOMPARE(c.StringSize(), int16_t(-1));
    QVERIFY_THROWS_EXCEPTION(AppError, c.LoadChordPosition(dir.path())); // a directory
}

void TestChord::aliases() {
    QTemporaryDir dir;
    Chord c;
    const std::shared_ptr<Chord::NameDictionary> before = c.ChordDictionary();
    c.LoadChordPosition(WriteFile(dir, {"[Cm]", "3*5-4-5-5-3-X", "[C-]", ">Cm", "[Cmin]", ">C-",
                                        "[C-]", "8*6-8-8-10-10-8", "[Cm]", "X-8-8-5-6-X"}));
    QVERIFY(before != c.ChordDictionary()); // a load makes a new container
    const int16_t cm = c.SearchPosition("Cm");
    QCOMPARE(c.SearchPosition("C-"), cm);
    QCOMPARE(c.SearchPosition("Cmin"), cm); // an alias of an alias
    // Fingerings under an alias section join the target's chain, in file order.
    QCOMPARE(c.PositionSize(cm), int16_t(3));
    QCOMPARE(c.Flat(c.NextPosition(cm), 1), int16_t(8));
    QCOMPARE(c.Flat(c.NextPosition(c.NextPosition(cm)), 1), int16_t(-1));
    const Chord::AliasMap aliases = c.AliasDictionary();
    QCOMPARE(aliases.Count(), 1);
    QCOMPARE(aliases.Item(cm), QString("Cm C- Cmin"));
    // The dictionary handed out is the live one.
    const auto live = c.ChordDictionary();
    c.RegistChord("G", "3-0-0-0-2-3");
    QVERIFY(live->Exists("G"));
    // Names compare exactly; failing that, a name of the same sound is found,
    // never a guess.
    QCOMPARE(c.SearchPosition("cm"), int16_t(0));
    QCOMPARE(c.SearchPosition("Cm "), cm);
    QCOMPARE(c.SearchPosition("Cm7"), int16_t(0));
    QCOMPARE(c.SearchPosition(""), int16_t(0));
}

void TestChord::majSections() {
    QTemporaryDir dir;
    Chord c;
    c.LoadChordPosition(WriteFile(dir, {"[CM7]", "0-0-0-2-3-X", "[Cmaj7]", "3*5-5-4-5-3-X",
                                        "[Dmaj7]", "2-2-2-0-X-X", "X-10-11-11-X-10"}));
    // A "maj" section joins the "M" chord when that one is registered.
    QCOMPARE(c.PositionSize(c.SearchPosition("CM7")), int16_t(2));
    QCOMPARE(c.SearchPosition("Cmaj7"), c.SearchPosition("CM7"));
    QCOMPARE(c.SearchPosition("CMaj7"), c.SearchPosition("CM7")); // by its sound
    // Otherwise it is stored as written, and its second line joins it.
    QVERIFY(c.ChordDictionary()->Exists("Dmaj7"));
    const int16_t d = c.ChordDictionary()->Item("Dmaj7");
    QCOMPARE(c.PositionSize(d), int16_t(2));
    QCOMPARE(c.SearchPosition("Dmaj7"), d);    // looked up as DM7, found by its sound
    QCOMPARE(c.ChordDictionary()->Count(), 2); // CM7 and Dmaj7
}

void TestChord::registWithoutFile() {
    Chord c;
    QCOMPARE(c.StringSize(), int16_t(-1));
    QCOMPARE(c.FlatSize(), int16_t(4));
    c.RegistChord("G", "3-0-0-0-2-3");
    c.RegistChord("G", "3*6-3-4-5-5-3");
    QCOMPARE(c.PositionSize(c.SearchPosition("G")), int16_t(2));
    try {
        c.RegistChord("", "3-0-0-0-2-3");
        QFAIL("an empty name must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), int(Chord::ErrorFormat));
        QCOMPARE(e.Description(), QString("(0): コード名に空白は指定できません"));
    }
    try {
        c.RegistAlias("G", "");
        QFAIL("an empty alias must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), int(Chord::ErrorAliasEmpty));
        QCOMPARE(e.Description(), QString("(0): コード名に空白は指定できません"));
    }
    c.RegistChord("W", "1-6-X-X-X-X");
    QCOMPARE(c.FlatSize(), int16_t(6));
    // Out-of-range queries are answered, not crashed on.
    QCOMPARE(c.Flat(99, 1), int16_t(-1));
    QCOMPARE(c.Flat(1, 9), int16_t(-1));
    QCOMPARE(c.Multi(-1, 1), int16_t(1));
    QCOMPARE(c.PositionSize(-5), int16_t(0));
}

void TestChord::limits() {
    QTemporaryDir dir;
    QStringList lines{"[C]"};
    for (int i = 0; i < 32767; ++i) {
        lines << "0-1-0-2-3-X";
    }
    Chord c;
    try {
        c.LoadChordPosition(WriteFile(dir, lines));
        QFAIL("more than 32767 positions must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), int(AppError::Overflow));
        QVERIFY(e.Description().contains("32767"));
    }
    QCOMPARE(c.PositionSize(c.SearchPosition("C")), int16_t(32766));
    // A million lines are refused at the first line past the limit, at once.
    QFile big(dir.filePath("pos.ini"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    big.write(QByteArray("[C]\r\n0-1-0-2-3-X\r\n").repeated(500000));
    big.close();
    QElapsedTimer t;
    t.start();
    try {
        c.LoadChordPosition(big.fileName());
        QFAIL("more than 32767 lines must fail");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), int(AppError::Overflow));
        QVERIFY(e.Description().contains("pos.ini"));
    }
    QVERIFY(t.elapsed() < testsupport::AtOnceMs());
}

void TestChord::hostileFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("nul in a line") << QByteArray("[C]\r\n0-1-0\0-2-3-X\r\n", 20);
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe\x81", 20);
    QTest::newRow("truncated double-byte name") << QByteArray("[\x82]\r\n0-0-0\r\n");
    QTest::newRow("one long line") << QByteArray(3 * 1024 * 1024, 'x');
}

void TestChord::hostileFiles() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QFile f(dir.filePath("bad.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    Chord c;
    try {
        c.LoadChordPosition(f.fileName());
    } catch (const AppError &e) {
        QVERIFY(!e.Description().isEmpty());
    }
    QCOMPARE(c.Filename(), f.fileName());
}

QTEST_APPLESS_MAIN(TestChord)
#include "tst_chord.moc"
