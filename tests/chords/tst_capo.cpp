// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/Capo.h"
#include "chords/CapoAdvisor.h"
#include "chords/Chord.h"
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
    void advisor_data();
    void advisor();
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
    QTest::newRow("passing chord keeps its parentheses") << 2 << "(C7)"
                                                         << "(A#7)";
    QTest::newRow("group ends and stars") << 2 << "Em*)"
                                          << "Dm*)";
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

// A small dictionary whose first fingerings are worked by hand below.
void TestCapo::advisor_data() {
    QTest::addColumn<QString>("sheet"); // chord names of the cells
    QTest::addColumn<int>("easiest");
    QTest::addColumn<QString>("costs"); // "capo:cost ..." that must hold
    // Capo 2: F A# C Dm F C F, three F barres, an A# barre and a Dm with no diagram.
    QTest::newRow("in G: no capo") << "G C D Em G D G" << 0 << "0:0 2:36";
    // D#: 1 for fret 4, 2 for the stretch, 1 for four fingers; G#: barre 4,
    // fret 4, stretch 2, fingers 1; A#: full barre 6.
    QTest::newRow("in E flat: capo 1 plays D shapes") << "Eb Ab Bb Eb" << 1 << "0:22 1:0 3:6";
    QTest::newRow("F and C: capo 3 plays D and A") << "F C C F" << 3 << "0:12 3:0 5:0";
    // Capo 7: C and an F barre, and two frets of capo above 5 for each cell.
    QTest::newRow("a high capo is not free") << "G C" << 0 << "0:0 7:10";
}

void TestCapo::advisor() {
    QFETCH(QString, sheet);
    QFETCH(int, easiest);
    QFETCH(QString, costs);
    Chord chord;
    const char *lines[][2] = {
        {"C", "0-1-0-2-3-X"},    {"D", "2-3-2-0-X-X"},  {"G", "3-0-0-0-2-3"},
        {"A", "0-2-2-2-0-X"},    {"Em", "0-0-0-2-2-0"}, {"F", "1*6-1-2-3-3-1"},
        {"Bm", "2*5-3-4-4-2-X"}, {"D#", "3-4-3-1-X-X"}, {"G#", "4-1*3-1-1-3-4"},
        {"A#", "1*5-3-3-3-1-X"}, {"E", "0-0-1-2-2-0"},
    };
    for (const auto &[name, line] : lines) {
        chord.RegistChord(QString::fromLatin1(name), QString::fromLatin1(line));
    }
    capoadvisor::ChordCounts names;
    for (const QString &n : sheet.split(u' ')) {
        auto it = std::find_if(names.begin(), names.end(), [&](auto &e) { return e.first == n; });
        if (it == names.end()) {
            names.emplace_back(n, 1);
        } else {
            ++it->second;
        }
    }
    const capoadvisor::Advice advice = capoadvisor::Rate(chord, names);
    QCOMPARE(int(advice.Easiest), easiest);
    for (const QString &pair : costs.split(u' ')) {
        const int capo = pair.section(u':', 0, 0).toInt();
        QCOMPARE(advice.Cost[static_cast<size_t>(capo)], pair.section(u':', 1, 1).toInt());
    }
}

QTEST_APPLESS_MAIN(TestCapo)
#include "tst_capo.moc"
