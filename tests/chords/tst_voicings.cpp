// The voicing finder, checked against chord facts: every fingering it finds
// sounds its chord and can be played; the first ones are those people learn.
#include "chords/ChordFacts.h"
#include "chords/DictionaryBuilder.h"
#include "chords/VoicingFinder.h"
#include "parsing/ChordSymbol.h"

#include <QTest>

class TestVoicings : public QObject {
    Q_OBJECT

private slots:
    void everyTypeEveryRoot_data();
    void everyTypeEveryRoot();
    void ukuleleFirsts_data();
    void ukuleleFirsts();
    void ranking_data();
    void ranking();
};

void TestVoicings::everyTypeEveryRoot_data() {
    QTest::addColumn<bool>("ukulele");
    QTest::newRow("guitar") << false;
    QTest::newRow("ukulele") << true;
}

// Every fingering the finder returns sounds exactly its chord and can be
// played, for every standard type on every root; the common ones have one.
void TestVoicings::everyTypeEveryRoot() {
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

void TestVoicings::ukuleleFirsts_data() {
    QTest::addColumn<QString>("chord");
    QTest::addColumn<QString>("first"); // string 1 (A) first
    const char *rows[][2] = {{"C", "3-0-0-0"},  {"Am", "0-0-0-2"}, {"F", "0-1-0-2"},
                             {"G", "2-3-2-0"},  {"C7", "1-0-0-0"}, {"G7", "2-1-2-0"},
                             {"Dm", "0-1-2-2"}, {"Em", "2-3-4-0"}};
    for (const auto &r : rows) {
        QTest::newRow(r[0]) << r[0] << r[1];
    }
}

void TestVoicings::ukuleleFirsts() {
    QFETCH(QString, chord);
    QFETCH(QString, first);
    const VoicingFinder finder(VoicingFinder::Ukulele());
    const auto found = finder.Find(*ChordSymbol::Read(chord));
    QVERIFY(!found.empty());
    QCOMPARE(found.front().ToPositionLine(), first);
}

void TestVoicings::ranking_data() {
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
void TestVoicings::ranking() {
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

QTEST_GUILESS_MAIN(TestVoicings)
#include "tst_voicings.moc"
