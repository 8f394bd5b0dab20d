// The chord-symbol reader and the voicing finder, checked against chord facts.
#include "chords/ChordFacts.h"
#include "chords/DictionaryBuilder.h"
#include "chords/VoicingFinder.h"
#include "parsing/ChordSymbol.h"

#include <QTest>

namespace {

uint16_t Mask(const QList<int> &intervals) {
    uint16_t m = 0;
    for (int i : intervals) {
        m |= uint16_t(1u << i);
    }
    return m;
}

} // namespace

class TestChordSymbol : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void refused_data();
    void refused();
    void everyTypeEveryRoot_data();
    void everyTypeEveryRoot();
    void ukuleleFirsts_data();
    void ukuleleFirsts();
    void ranking_data();
    void ranking();
};

void TestChordSymbol::read_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("root");
    QTest::addColumn<QList<int>>("required");
    QTest::addColumn<QList<int>>("optional");
    QTest::addColumn<int>("bass");
    const auto row = [](const char *name, int root, QList<int> req, QList<int> opt, int bass = -1) {
        QTest::newRow(name) << QString::fromUtf8(name) << root << req << opt << bass;
    };
    row("C", 0, {0, 4, 7}, {});
    row("Bb", 10, {0, 4, 7}, {});
    row("E♭m", 3, {0, 3, 7}, {});
    row("F♯m7", 6, {0, 3, 10}, {7});
    row("Ｃ＃m", 1, {0, 3, 7}, {});
    row("Cmin", 0, {0, 3, 7}, {});
    row("C-7", 0, {0, 3, 10}, {7});
    row("C5", 0, {0, 7}, {});
    row("C2", 0, {0, 2, 7}, {4});
    row("Csus2", 0, {0, 2, 7}, {});
    row("Csus", 0, {0, 5, 7}, {});
    row("C4", 0, {0, 5, 7}, {});
    row("Caug", 0, {0, 4, 8}, {});
    row("C+", 0, {0, 4, 8}, {});
    row("Cdim", 0, {0, 3, 6, 9}, {});
    row("C°", 0, {0, 3, 6, 9}, {});
    row("Co7", 0, {0, 3, 6, 9}, {});
    row("Cm7-5", 0, {0, 3, 6, 10}, {});
    row("Cm7(b5)", 0, {0, 3, 6, 10}, {});
    row("Cø", 0, {0, 3, 6, 10}, {});
    row("C69", 0, {0, 2, 4, 9}, {7});
    row("C6/9", 0, {0, 2, 4, 9}, {7});
    row("Cm6", 0, {0, 3, 9}, {7});
    row("Cmaj7", 0, {0, 4, 11}, {7});
    row("Cma7", 0, {0, 4, 11}, {7});
    row("C△7", 0, {0, 4, 11}, {7});
    row("CΔ", 0, {0, 4, 11}, {7});
    row("Cj7", 0, {0, 4, 11}, {7});
    row("CmM7", 0, {0, 3, 11}, {7});
    row("Cm(M7)", 0, {0, 3, 11}, {7});
    row("Cmmaj7", 0, {0, 3, 11}, {7});
    row("Caug7", 0, {0, 4, 8, 10}, {});
    row("C7+5", 0, {0, 4, 8, 10}, {});
    row("C7(sus4)", 0, {0, 5, 10}, {7});
    row("C9", 0, {0, 2, 4, 10}, {7});
    row("CM9", 0, {0, 2, 4, 11}, {7});
    row("Cm11", 0, {0, 3, 5, 10}, {2, 7});
    row("C13", 0, {0, 4, 9, 10}, {2, 7});
    row("Cm13", 0, {0, 3, 9, 10}, {2, 5, 7});
    row("C(9)", 0, {0, 2, 4}, {7});
    row("Cadd2", 0, {0, 2, 4}, {7});
    row("Cmadd9", 0, {0, 2, 3}, {7});
    row("Cadd11", 0, {0, 4, 5}, {7});
    row("Cadd13", 0, {0, 4, 9}, {7});
    row("C7(9)", 0, {0, 2, 4, 10}, {7});
    row("C7(b9)", 0, {0, 1, 4, 10}, {7});
    row("DbMA7", 1, {0, 4, 11}, {7});
    row("Ab9#5", 8, {0, 2, 4, 8, 10}, {});
    row("C*", 0, {0, 4, 7}, {});
    row("Em**", 4, {0, 3, 7}, {});
    row("(C7)", 0, {0, 4, 10}, {7});
    row("C7(#9)", 0, {0, 3, 4, 10}, {7});
    row("Cm7(11)", 0, {0, 3, 5, 10}, {7});
    row("C7(9,13)", 0, {0, 2, 4, 9, 10}, {7});
    row("C7(b9,b13)", 0, {0, 1, 4, 8, 10}, {7});
    row("C7#9#5", 0, {0, 3, 4, 8, 10}, {});
    row("C13b9", 0, {0, 1, 4, 9, 10}, {7});
    row("C7-9", 0, {0, 1, 4, 10}, {7});
    row("CM7(+11)", 0, {0, 4, 6, 11}, {7});
    row("C7alt", 0, {0, 3, 4, 10}, {1, 6, 8});
    row("Comit3", 0, {0, 7}, {});
    row("C7no5", 0, {0, 4, 10}, {});
    row("C/E", 0, {0, 4, 7}, {}, 4);
    row("G7/B", 7, {0, 4, 10}, {7}, 11);
    row("D/F#", 2, {0, 4, 7}, {}, 6);
    row("ConE", 0, {0, 4, 7}, {}, 4);
    row("CONE", 0, {0, 4, 7}, {}, 4);
    row("C(onG)", 0, {0, 4, 7}, {}, 7);
    row("Am7onG", 9, {0, 3, 10}, {7}, 7);
    row("C/C", 0, {0, 4, 7}, {});
}

void TestChordSymbol::read() {
    QFETCH(QString, name);
    QFETCH(int, root);
    QFETCH(QList<int>, required);
    QFETCH(QList<int>, optional);
    QFETCH(int, bass);
    const auto c = ChordSymbol::Read(name);
    QVERIFY(c);
    QCOMPARE(c->Root(), root);
    QCOMPARE(c->Required(), Mask(required));
    QCOMPARE(c->Optional(), Mask(optional));
    QCOMPARE(c->Bass(), bass);
}

void TestChordSymbol::refused_data() {
    QTest::addColumn<QString>("name");
    for (const char *n : {"", "H", "c", "Intro", "N.C.", "Cxyz", "C7(b10)", "C/H", "C7(9", "Cm7))",
                          "C##", "Csus3", "C(on"}) {
        QTest::newRow(*n ? n : "empty") << QString::fromUtf8(n);
    }
}

void TestChordSymbol::refused() {
    QFETCH(QString, name);
    QVERIFY(!ChordSymbol::Read(name));
}

void TestChordSymbol::everyTypeEveryRoot_data() {
    QTest::addColumn<bool>("ukulele");
    QTest::newRow("guitar") << false;
    QTest::newRow("ukulele") << true;
}

// Every fingering the finder returns sounds exactly its chord and can be
// played, for every standard type on every root; the common ones have one.
void TestChordSymbol::everyTypeEveryRoot() {
    QFETCH(bool, ukulele);
    const auto &open = ukulele ? chordfacts::Ukulele() : chordfacts::Guitar();
    const VoicingFinder finder(std::vector<int>(open.begin(), open.end()));
    int checked = 0;
    for (const QString root : {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"}) {
        for (const auto &type : dictionarybuilder::StandardTypes()) {
            const QString name = root + QString::fromUtf8(type.Suffix);
            const auto n = chordfacts::Split(name);
            QVERIFY2(n, qPrintable(name));
            const auto voicings = finder.Find(*ChordSymbol::Read(name));
            QVERIFY2(!voicings.empty() || ukulele || type.Fingerings < 3, qPrintable(name));
            for (size_t i = 0; i < std::min<size_t>(voicings.size(), 25); ++i) {
                chordfacts::Fingering f;
                for (int s = 0; s < voicings[i].Strings; ++s) {
                    f.frets.push_back(voicings[i].Fret[size_t(s)]);
                    const bool barre = voicings[i].BarreFret > 0 && s + 1 == voicings[i].BarreFirst;
                    f.multi.push_back(barre ? voicings[i].BarreLast - voicings[i].BarreFirst + 1
                                            : 1);
                }
                const QString why = chordfacts::Check(*n, f, open);
                QVERIFY2(why.isEmpty(),
                         qPrintable(name + " " + voicings[i].ToPositionLine() + ": " + why));
                ++checked;
            }
        }
    }
    QVERIFY(checked > 5000);
}

void TestChordSymbol::ukuleleFirsts_data() {
    QTest::addColumn<QString>("chord");
    QTest::addColumn<QString>("first"); // string 1 (A) first
    const char *rows[][2] = {{"C", "3-0-0-0"},  {"Am", "0-0-0-2"}, {"F", "0-1-0-2"},
                             {"G", "2-3-2-0"},  {"C7", "1-0-0-0"}, {"G7", "2-1-2-0"},
                             {"Dm", "0-1-2-2"}, {"Em", "2-3-4-0"}};
    for (const auto &r : rows) {
        QTest::newRow(r[0]) << r[0] << r[1];
    }
}

void TestChordSymbol::ukuleleFirsts() {
    QFETCH(QString, chord);
    QFETCH(QString, first);
    const VoicingFinder finder(VoicingFinder::Ukulele());
    const auto found = finder.Find(*ChordSymbol::Read(chord));
    QVERIFY(!found.empty());
    QCOMPARE(found.front().ToPositionLine(), first);
}

void TestChordSymbol::ranking_data() {
    QTest::addColumn<QList<int>>("frets"); // string 1 (high e) first, -1 muted
    QTest::addColumn<int>("fingers");
    QTest::addColumn<int>("barre");
    QTest::addColumn<bool>("rootLowest");
    QTest::addColumn<QList<int>>("rank"); // score, highest fret, muted, fingers
    // 2 muted + 3 fingers - 5 sounding + 2 (open G between fretted strings at fret 3)
    QTest::newRow("open C") << QList<int>{0, 1, 0, 2, 3, -1} << 3 << 0 << true
                            << QList<int>{2, 3, 1, 3};
    QTest::newRow("open C, root not lowest")
        << QList<int>{0, 1, 0, 2, 3, -1} << 3 << 0 << false << QList<int>{10, 3, 1, 3};
    // 4 fingers + 1 barre - 6 sounding
    QTest::newRow("F barre") << QList<int>{1, 1, 2, 3, 3, 1} << 4 << 1 << true
                             << QList<int>{-1, 3, 0, 4};
    // 2 for each of 5 frets above the third + 2 x 4 for the muted string
    // inside + 4 fingers - 5 sounding + 1 full stretch
    QTest::newRow("high, a hole, four frets wide")
        << QList<int>{5, -1, 5, 7, 8, 5} << 4 << 0 << true << QList<int>{18, 8, 4, 4};
}

// The weights a fingering is ranked by, as a guitarist would weigh them.
void TestChordSymbol::ranking() {
    QFETCH(QList<int>, frets);
    QFETCH(int, fingers);
    QFETCH(int, barre);
    QFETCH(bool, rootLowest);
    QFETCH(QList<int>, rank);
    Voicing v;
    v.Strings = static_cast<int>(frets.size());
    for (qsizetype s = 0; s < frets.size(); ++s) {
        v.Fret[static_cast<size_t>(s)] = static_cast<int8_t>(frets[s]);
    }
    v.Fingers = fingers;
    v.BarreFret = barre;
    const auto [score, high, muted, used] = VoicingFinder::Rank(v, rootLowest);
    QCOMPARE((QList<int>{score, high, muted, used}), rank);
}

QTEST_APPLESS_MAIN(TestChordSymbol)
#include "tst_chordsymbol.moc"
