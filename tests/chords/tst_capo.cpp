#include "chords/Capo.h"
#include "platform/AppError.h"

#include <QTest>

namespace {

// Pitch class of a note name: letter, then any number of # and b.
int PitchClass(const QString &note) {
    static const int letters[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    int pc = letters[note[0].toUpper().unicode() - u'A'];
    for (qsizetype i = 1; i < note.size(); ++i) {
        pc += note[i] == u'#' ? 1 : -1;
    }
    return ((pc % 12) + 12) % 12;
}

} // namespace

class TestCapo : public QObject {
    Q_OBJECT

private slots:
    void chord_data();
    void chord();
    void splits();
    void againstPitchArithmetic();
};

void TestCapo::chord_data() {
    QTest::addColumn<int>("capo");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("capo 0 keeps flats") << 0 << "Bbm7"
                                        << "Bbm7";
    QTest::newRow("capo 0 F#dim") << 0 << "F#dim"
                                  << "F#dim";
    QTest::newRow("negative capo") << -3 << "Db"
                                   << "Db";
    QTest::newRow("C7 capo 2") << 2 << "C7"
                               << "A#7";
    QTest::newRow("Em7 capo 2") << 2 << "Em7"
                                << "Dm7";
    QTest::newRow("F#m capo 2") << 2 << "F#m"
                                << "Em";
    QTest::newRow("Bb capo 2") << 2 << "Bb"
                               << "G#";
    QTest::newRow("slash capo 2") << 2 << "C/E"
                                  << "A#/D";
    QTest::newRow("on chord keeps its spelling") << 2 << "ConE"
                                                 << "A#onD";
    QTest::newRow("ON in capitals") << 2 << "DONF#"
                                    << "CONE";
    QTest::newRow("mixed-case on") << 1 << "AmOnG"
                                   << "G#mOnF#";
    QTest::newRow("G capo 1") << 1 << "G"
                              << "F#";
    QTest::newRow("Db capo 1") << 1 << "Db"
                               << "C";
    QTest::newRow("C# capo 1") << 1 << "C#"
                               << "C";
    QTest::newRow("bass that is no note") << 1 << "C/x"
                                          << "B/x";
    QTest::newRow("lower-case bass note") << 1 << "C/b"
                                          << "B/A#";
    QTest::newRow("empty") << 5 << ""
                           << "";
    QTest::newRow("Cb7 splits as C and b7") << 1 << "Cb7"
                                            << "Bb7";
    QTest::newRow("not a chord") << 3 << "xyz"
                                 << "xyz";
    QTest::newRow("twelve steps respell") << 12 << "Ebm"
                                          << "D#m";
    QTest::newRow("capo 9") << 9 << "Am7-5"
                            << "Cm7-5";
    QTest::newRow("capo 25 = 13") << 25 << "D"
                                  << "C#";
    QTest::newRow("slash before on") << 2 << "Con/E"
                                     << "A#on/D";
    QTest::newRow("empty bass") << 2 << "C/"
                                << "A#/";
    QTest::newRow("full-width stays") << 2 << "Ｃ"
                                      << "Ｃ";
}

void TestCapo::chord() {
    QFETCH(int, capo);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    Capo c;
    c.SetCapo(static_cast<int16_t>(capo));
    QCOMPARE(c.Chord(name), expected);
}

void TestCapo::splits() {
    Capo c;
    const Capo::BassSplit on = c.SplitBass("Dm7oNA");
    QCOMPARE(on.Main, QString("Dm7"));
    QCOMPARE(on.Separator, QString("oN"));
    QCOMPARE(on.Bass, QString("A"));
    const Capo::RootSplit sharp = c.SplitRoot("C#m7");
    QCOMPARE(sharp.Root, QString("C#"));
    QCOMPARE(sharp.Rest, QString("m7"));
    const Capo::RootSplit none = c.SplitRoot("x7");
    QCOMPARE(none.Root, QString("x7"));
    QCOMPARE(none.Rest, QString());
}

// For every root spelling, suffix and capo the result must sound capo
// semitones lower, keep the suffix and never be spelled with a flat.
void TestCapo::againstPitchArithmetic() {
    const QStringList roots{"C",  "C#", "Db", "D",  "D#", "Eb", "E",  "F", "F#",
                            "Gb", "G",  "G#", "Ab", "A",  "A#", "Bb", "B"};
    const QStringList suffixes{"", "m", "7", "M7", "m7-5", "dim", "sus4", "add9", "6"};
    Capo c;
    for (int capo = 1; capo <= 24; ++capo) {
        c.SetCapo(static_cast<int16_t>(capo));
        for (const QString &root : roots) {
            for (const QString &suffix : suffixes) {
                for (const QString &bass : roots) {
                    const QString out = c.Chord(root + suffix + "/" + bass);
                    const qsizetype slash = out.indexOf(u'/');
                    const QString outRoot = out.left(slash - suffix.size());
                    QCOMPARE(out.mid(slash - suffix.size(), suffix.size()), suffix);
                    QCOMPARE(PitchClass(outRoot), ((PitchClass(root) - capo) % 12 + 12) % 12);
                    QCOMPARE(PitchClass(out.mid(slash + 1)),
                             ((PitchClass(bass) - capo) % 12 + 12) % 12);
                    QVERIFY(!out.contains(u'b'));
                }
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestCapo)
#include "tst_capo.moc"
