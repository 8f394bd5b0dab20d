// SPDX-License-Identifier: GPL-3.0-or-later
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
    void firstFingerings_data();
    void firstFingerings();
    void partialBarre_data();
    void partialBarre();
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
                    int multi = 1;
                    for (const Voicing::Barre &b : {voicings[i].Main, voicings[i].Partial}) {
                        multi = b.Fret > 0 && s + 1 == b.First ? b.Last - b.First + 1 : multi;
                    }
                    f.multi.push_back(multi);
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

// The first fingering of each chord, as chord books print it first (low
// string to high, x muted; "|" between shapes books print equally often).
void TestVoicings::firstFingerings_data() {
    QTest::addColumn<bool>("ukulele");
    QTest::addColumn<QString>("chord");
    QTest::addColumn<QString>("shapes");
    const char *guitar[][2] = {{"C", "x32010"},
                               {"C#", "x46664"},
                               {"Db", "x46664"},
                               {"D", "xx0232"},
                               {"Eb", "x68886|xx1343"},
                               {"E", "022100"},
                               {"F", "133211"},
                               {"F#", "244322"},
                               {"Gb", "244322"},
                               {"G", "320003|320033"},
                               {"Ab", "466544"},
                               {"G#", "466544"},
                               {"A", "x02220"},
                               {"Bb", "x13331"},
                               {"A#", "x13331"},
                               {"B", "x24442"},
                               {"Cm", "x35543"},
                               {"C#m", "x46654"},
                               {"Dm", "xx0231"},
                               {"Ebm", "x68876|xx1342"},
                               {"D#m", "x68876|xx1342"},
                               {"Em", "022000"},
                               {"Fm", "133111"},
                               {"F#m", "244222"},
                               {"Gm", "355333"},
                               {"G#m", "466444"},
                               {"Abm", "466444"},
                               {"Am", "x02210"},
                               {"Bbm", "x13321"},
                               {"Bm", "x24432"},
                               {"C7", "x32310"},
                               {"C#7", "x46464"},
                               {"D7", "xx0212"},
                               {"Eb7", "x68686|xx1323"},
                               {"E7", "020100|022130"},
                               {"F7", "131211"},
                               {"F#7", "242322"},
                               {"G7", "320001"},
                               {"Ab7", "464544"},
                               {"A7", "x02020|x02223"},
                               {"Bb7", "x13131"},
                               {"B7", "x21202"},
                               {"Cm7", "x35343"},
                               {"C#m7", "x46454"},
                               {"Dm7", "xx0211"},
                               {"Ebm7", "x68676|xx1322"},
                               {"Em7", "022030|020000"},
                               {"Fm7", "131111"},
                               {"F#m7", "242222"},
                               {"Gm7", "353333"},
                               {"G#m7", "464444"},
                               {"Am7", "x02010"},
                               {"Bbm7", "x13121"},
                               {"Bm7", "x24232|x20202"},
                               {"CM7", "x32000"},
                               {"C#M7", "x46564"},
                               {"DM7", "xx0222"},
                               {"EbM7", "x68786|xx1333"},
                               {"EM7", "021100"},
                               {"FM7", "xx3210"},
                               {"F#M7", "2x332x|xx4321|243322"},
                               {"GM7", "320002"},
                               {"AbM7", "4x554x|465544"},
                               {"AM7", "x02120"},
                               {"BbM7", "x13231"},
                               {"BM7", "x24342"},
                               {"C6", "x32210"},
                               {"D6", "xx0202"},
                               {"E6", "022120"},
                               {"F6", "xx3231"},
                               {"G6", "320000"},
                               {"A6", "x02222"},
                               {"Bb6", "x13333"},
                               {"B6", "x24444"},
                               {"Am6", "x02212"},
                               {"Dm6", "xx0201"},
                               {"Em6", "022020"},
                               {"Csus4", "x33011"},
                               {"C#sus4", "x46674"},
                               {"Dsus4", "xx0233"},
                               {"Ebsus4", "x68896"},
                               {"Esus4", "022200"},
                               {"Fsus4", "133311"},
                               {"F#sus4", "244422"},
                               {"Gsus4", "330013|3x0013"},
                               {"Absus4", "466644"},
                               {"Asus4", "x02230"},
                               {"Bbsus4", "x13341"},
                               {"Bsus4", "x24452"},
                               {"Dsus2", "xx0230"},
                               {"Asus2", "x02200"},
                               {"Esus2", "024400"},
                               {"Csus2", "x30033|x35533"},
                               {"Bsus2", "x24422"},
                               {"Cadd9", "x32030"},
                               {"Eadd9", "022102"},
                               {"Aadd9", "x02420"},
                               {"Gadd9", "320203|3x0203"},
                               {"D7sus4", "xx0213"},
                               {"E7sus4", "020200"},
                               {"G7sus4", "330011"},
                               {"A7sus4", "x02030"},
                               {"B7sus4", "x24252"},
                               {"F7sus4", "131311"},
                               {"Cdim", "xx1212|x3424x|x31212"},
                               {"Ddim", "xx0101"},
                               {"Edim", "xx2323|0120x0|012020"},
                               {"Adim", "x0121x|xx1212|x01212"},
                               {"Caug", "x32110"},
                               {"Eaug", "032110"},
                               {"Aaug", "x03221"},
                               {"Bm7-5", "x2323x"},
                               {"Dm7-5", "xx0111"},
                               {"F#m7-5", "2x221x|202210"},
                               {"C#m7-5", "x4545x|x42000"},
                               {"Em7-5", "012030|xx2333|x7878x"},
                               {"Am7-5", "x0101x|5x554x"},
                               {"C9", "x32333"},
                               {"E9", "020102"},
                               {"G9", "3x0201"},
                               {"B9", "x21222"},
                               {"Cm9", "x31333"},
                               {"C/E", "032010"},
                               {"C/G", "332010|3x2010"},
                               {"D/F#", "200232|2x0232"},
                               {"G/B", "x20003|x20033"},
                               {"Am/G", "302210|3x2210"},
                               {"F/C", "x33211"},
                               {"F/G", "3x3211|333211"},
                               {"G/F", "1x0003|120003"},
                               {"A/C#", "x42220"},
                               {"E/G#", "4x2100|422100"},
                               {"D/A", "x00232"},
                               {"Em/D", "xx0000|x52000"},
                               {"C/B", "x22010"},
                               {"G/D", "xx0003"},
                               {"Am/C", "x32210"},
                               {"C/D", "xx0010"},
                               {"D/C", "x30232"}};
    for (const auto &r : guitar) {
        QTest::addRow("guitar %s", r[0]) << false << r[0] << r[1];
    }
    // Low G first: G C E A.
    const char *ukulele[][2] = {
        {"C", "0003"},  {"Am", "2000"},     {"F", "2010"},   {"G", "0232"},        {"C7", "0001"},
        {"G7", "0212"}, {"Dm", "2210"},     {"Em", "0432"},  {"D", "2220"},        {"A", "2100"},
        {"B", "4322"},  {"Bm", "4222"},     {"Fm", "1013"},  {"C#m", "1104|6444"}, {"Bb", "3211"},
        {"A7", "0100"}, {"E", "1402|4442"}, {"Am7", "0000"}, {"Gm", "0231"},       {"E7", "1202"}};
    for (const auto &r : ukulele) {
        QTest::addRow("ukulele %s", r[0]) << true << r[0] << r[1];
    }
}

void TestVoicings::firstFingerings() {
    QFETCH(bool, ukulele);
    QFETCH(QString, chord);
    QFETCH(QString, shapes);
    const VoicingFinder finder(ukulele ? VoicingFinder::Ukulele()
                                       : VoicingFinder::StandardGuitar());
    const auto found = finder.Pick(*ChordSymbol::Read(chord), 3);
    QVERIFY(!found.empty());
    QString first;
    for (int s = found.front().Strings - 1; s >= 0; --s) {
        const int fret = found.front().Fret[size_t(s)];
        first += fret < 0 ? QStringLiteral("x") : QString::number(fret, 16);
    }
    QVERIFY2(shapes.split(u'|').contains(first), qPrintable(first));
}

// Barres as the position line writes them: one finger laid across a few
// strings above the lowest fret (B9, Cm9), the index across the A-shape.
void TestVoicings::partialBarre_data() {
    QTest::addColumn<QString>("chord");
    QTest::addColumn<QString>("line");
    QTest::newRow("B9") << "B9"
                        << "2*3-2-2-1-2-X";
    QTest::newRow("Cm9") << "Cm9"
                         << "3*3-3-3-1-3-X";
    QTest::newRow("Bb, the index holding the top string") << "Bb"
                                                          << "1*5-3-3-3-1-X";
    QTest::newRow("C#m7") << "C#m7"
                          << "4*5-5-4-6-4-X";
}

void TestVoicings::partialBarre() {
    QFETCH(QString, chord);
    QFETCH(QString, line);
    const auto found =
        VoicingFinder(VoicingFinder::StandardGuitar()).Find(*ChordSymbol::Read(chord));
    QVERIFY(!found.empty());
    QCOMPARE(found.front().ToPositionLine(), line);
}

QTEST_GUILESS_MAIN(TestVoicings)
#include "tst_voicings.moc"
