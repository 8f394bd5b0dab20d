// SPDX-License-Identifier: GPL-3.0-or-later
// Every fingering of the shipped dictionaries must sound exactly its chord,
// under every name it has, and be playable; the names sheets use must find one.
#include "chords/Capo.h"
#include "chords/Chord.h"
#include "chords/ChordFacts.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

chordfacts::Fingering At(const Chord &c, int16_t id) {
    chordfacts::Fingering f;
    for (int16_t s = 1; s <= c.StringSize(); ++s) {
        f.frets.push_back(c.Flat(id, s));
        f.multi.push_back(c.Multi(id, s));
    }
    return f;
}

QString Line(const Chord &c, int16_t id) {
    QStringList parts;
    for (int16_t s = 1; s <= c.StringSize(); ++s) {
        parts << (c.Flat(id, s) < 0 ? QStringLiteral("X") : QString::number(c.Flat(id, s)));
    }
    return parts.join(u'-');
}

} // namespace

class TestPositionIni : public QObject {
    Q_OBJECT

private slots:
    void everyFingeringSoundsAndPlays_data();
    void everyFingeringSoundsAndPlays();
    void chordBookFirsts_data();
    void chordBookFirsts();
    void sheetNamesAtEveryCapo();
    void loadsQuickly();
};

void TestPositionIni::everyFingeringSoundsAndPlays_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("strings");
    QTest::addColumn<int>("minimumChords");
    QTest::newRow("guitar") << "POSITION.INI" << 6 << 1000;
    QTest::newRow("ukulele") << "UKULELE.INI" << 4 << 500;
}

void TestPositionIni::everyFingeringSoundsAndPlays() {
    QFETCH(QString, file);
    QFETCH(int, strings);
    QFETCH(int, minimumChords);
    Chord c;
    c.LoadChordPosition(QStringLiteral(TAMBLIN_BIN_DIR "/") + file);
    QCOMPARE(c.StringSize(), int16_t(strings));
    const auto &open = strings == 6 ? chordfacts::Guitar() : chordfacts::Ukulele();
    QSet<int16_t> chords;
    int checked = 0;
    for (const auto &[name, first] : c.ChordDictionary()->Entries()) {
        const auto n = chordfacts::Split(name);
        QVERIFY2(n, qPrintable(name + " is not a name of the facts table"));
        chords << first;
        for (int16_t id = first; id != 0; id = c.NextPosition(id)) {
            const QString why = chordfacts::Check(*n, At(c, id), open);
            QVERIFY2(why.isEmpty(),
                     qPrintable(QStringLiteral("%1 %2: %3").arg(name, Line(c, id), why)));
            ++checked;
        }
    }
    QVERIFY2(chords.size() >= minimumChords, qPrintable(QString::number(chords.size())));
    qInfo("%d chords, %d fingerings under every name checked", int(chords.size()), checked);
}

void TestPositionIni::chordBookFirsts_data() {
    QTest::addColumn<QString>("chord");
    QTest::addColumn<QString>("first"); // string 1 (high E) first
    const char *rows[][2] = {
        {"C", "0-1-0-2-3-X"},    {"A", "0-2-2-2-0-X"},   {"G", "3-0-0-0-2-3"},
        {"E", "0-0-1-2-2-0"},    {"D", "2-3-2-0-X-X"},   {"Am", "0-1-2-2-0-X"},
        {"Em", "0-0-0-2-2-0"},   {"Dm", "1-3-2-0-X-X"},  {"F", "1-1-2-3-3-1"},
        {"B7", "2-0-2-1-2-X"},   {"C7", "0-1-3-2-3-X"},  {"G7", "1-0-0-0-2-3"},
        {"E7", "0-0-1-0-2-0"},   {"A7", "0-2-0-2-0-X"},  {"D7", "2-1-2-0-X-X"},
        {"Am7", "0-1-0-2-0-X"},  {"Dm7", "1-1-2-0-X-X"}, {"CM7", "0-0-0-2-3-X"},
        {"Bm", "2-3-4-4-2-X"},   {"F#m", "2-2-2-4-4-2"}, {"Bb", "1-3-3-3-1-X"},
        {"D/F#", "2-3-2-0-0-2"}, {"G/B", "3-0-0-0-2-X"}, {"C/E", "0-1-0-2-3-0"},
    };
    for (const auto &r : rows) {
        QTest::newRow(r[0]) << r[0] << r[1];
    }
}

void TestPositionIni::chordBookFirsts() {
    QFETCH(QString, chord);
    QFETCH(QString, first);
    Chord c;
    c.LoadChordPosition(QStringLiteral(TAMBLIN_BIN_DIR "/POSITION.INI"));
    QCOMPARE(Line(c, c.SearchPosition(chord)), first);
}

// Names as sheets by other people write them; every one, at every capo,
// finds a fingering.
void TestPositionIni::sheetNamesAtEveryCapo() {
    Chord c;
    c.LoadChordPosition(QStringLiteral(TAMBLIN_BIN_DIR "/POSITION.INI"));
    const QStringList names{
        "C",         "Bb",       "Eb",        "Ab",       "Db",        "Gb",       "F#m",
        "C#m7",      "Bbm",      "Ebm7",      "G#dim",    "Am7-5",     "Bm7b5",    "Bm7(b5)",
        "Cø7",       "C°7",      "Cdim7",     "Caug",     "C+",        "Csus4",    "Csus",
        "Csus2",     "C2",       "F2",        "C5",       "C6",        "Cm6",      "C69",
        "C6/9",      "C6(9)",    "CM7",       "Cmaj7",    "CMaj7",     "Cma7",     "C△7",
        "CΔ7",       "Cj7",      "CmM7",      "Cm(M7)",   "Cmmaj7",    "C7sus4",   "C7(sus4)",
        "Cadd9",     "Cadd2",    "C(9)",      "Cm(9)",    "Cmadd9",    "C9",       "C7(9)",
        "Cm9",       "CM9",      "Cmaj9",     "C11",      "Cm7(11)",   "C13",      "Cm13",
        "CM13",      "C7(b9)",   "C7(#9)",    "C7#9",     "C7b9",      "C7(9,13)", "C7(b9,b13)",
        "C7+5",      "C7#5",     "Caug7",     "C7-5",     "C7alt",     "C/E",      "G7/B",
        "D/F#",      "Am/G",     "ConE",      "ConG",     "C(onE)",    "CONE",     "F/G",
        "Em/D",      "Dm7/G",    "Gsus4/A",   "C/Bb",     "Fmaj7/A",   "C#m7/G#",  "Bb/D",
        "Eb/G",      "Ab/C",     "E♭",        "B♭m",      "Dm/C",      "G/F#",     "Bm/A",
        "A/C#",      "E/G#",     "Em7/D",     "Am7/G",    "F/C",       "Cadd9/E",  "C2/E",
        "Bb/Ab",     "Cadd9/G",  "Dsus",      "Asus2/C#", "E7(b9)/G#", "F#7(#5)",  "C(add9)",
        "CM7(9)",    "Am(add9)", "C7sus4(9)", "Am7(9)",   "G7(13)",    "E7sus4",   "Bm7(11)",
        "A7(b9)/C#", "Fm6",      "CM7(#11)",  "G/A",      "D/A",       "Em/B",     "E/B",
        "Dadd9/F#",  "A2",       "Asus4/E",   "C(9)/E",   "F#m7(b5)",  "B7(b9)",   "E7(#9)",
        "Gaug",      "F#m7-5/C", "Dm7-5",     "Gm6",      "Ebmaj7",    "AbM7",     "Db9",
        "Gb7",       "Cm7/Bb",   "G7sus4/F",  "Esus4",    "Bsus4",     "C#m7(b5)", "D#dim",
        "Abdim7",    "Bbsus2",   "Fadd9",     "Gadd9/B"};
    QStringList missing;
    Capo capo;
    for (int16_t k = 0; k <= 9; ++k) {
        capo.SetCapo(k);
        for (const QString &name : names) {
            const QString shown = capo.Chord(name);
            if (c.SearchPosition(shown) == 0) {
                missing << QStringLiteral("%1 (capo %2: %3)").arg(name).arg(k).arg(shown);
            }
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
}

void TestPositionIni::loadsQuickly() {
    Chord c;
    QElapsedTimer t;
    t.start();
    c.LoadChordPosition(QStringLiteral(TAMBLIN_BIN_DIR "/POSITION.INI"));
    qInfo("POSITION.INI loaded in %lld ms", t.elapsed());
    QVERIFY(c.ChordDictionary()->Count() > 3000);
}

QTEST_APPLESS_MAIN(TestPositionIni)
#include "tst_positionini.moc"
