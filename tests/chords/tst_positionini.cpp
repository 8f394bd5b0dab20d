// Every fingering of the shipped dictionary must sound exactly its chord.
#include "chords/Chord.h"

#include <QSet>
#include <QTest>

namespace {

const QStringList kRoots{"C",  "C#", "Db", "D",  "D#", "Eb", "E",  "F", "F#",
                         "Gb", "G",  "G#", "Ab", "A",  "A#", "Bb", "B"};

int RootPitch(const QString &root) {
    static const int letters[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    int pc = letters[root[0].unicode() - u'A'];
    if (root.size() > 1) {
        pc += root[1] == u'#' ? 1 : -1;
    }
    return (pc + 12) % 12;
}

// Intervals above the root, built from chord-symbol rules rather than a list
// of finished chords: third, fifth, then the additions the suffix names.
QSet<int> Intervals(const QString &suffix, bool *known) {
    *known = true;
    int third = 4;
    int fifth = 7;
    QSet<int> extra;
    QString s = suffix;
    auto take = [&s](const QString &part) {
        if (s.startsWith(part)) {
            s = s.mid(part.size());
            return true;
        }
        return false;
    };
    if (take("dim7") || take("dim")) {
        return {0, 3, 6, 9};
    }
    if (take("aug") || take("+")) {
        return {0, 4, 8};
    }
    if (take("mM7")) {
        third = 3;
        extra << 11;
    } else if (take("m")) {
        third = 3;
    }
    if (take("M7")) {
        extra << 11;
    } else if (take("7")) {
        extra << 10;
    } else if (take("9")) {
        extra << 10 << 2;
    } else if (take("6")) {
        extra << 9;
    } else if (take("add9")) {
        extra << 2;
    }
    if (take("sus4") || take("(sus4)")) {
        third = 5;
    }
    if (take("-5") || take("(b5)")) {
        fifth = 6;
    }
    if (!s.isEmpty()) {
        *known = false;
    }
    QSet<int> all{0, third, fifth};
    return all.unite(extra);
}

} // namespace

class TestPositionIni : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyFingeringSoundsItsChord();
    void coverage_data();
    void coverage();

private:
    Chord m_chord;
};

void TestPositionIni::initTestCase() {
    m_chord.LoadChordPosition(QStringLiteral(TAMBLIN_BIN_DIR "/POSITION.INI"));
    QCOMPARE(m_chord.StringSize(), int16_t(6));
}

void TestPositionIni::everyFingeringSoundsItsChord() {
    const int open[] = {0, 4, 11, 7, 2, 9, 4}; // strings 1..6: E B G D A E
    int checked = 0;
    for (const auto &[name, first] : m_chord.ChordDictionary()->Entries()) {
        QString root;
        for (const QString &r : kRoots) {
            if (name.startsWith(r) && r.size() > root.size()) {
                root = r;
            }
        }
        QVERIFY2(!root.isEmpty(), qPrintable(name));
        bool known = false;
        QSet<int> want;
        for (int i : Intervals(name.mid(root.size()), &known)) {
            want << (RootPitch(root) + i) % 12;
        }
        QVERIFY2(known, qPrintable(name));
        for (int16_t id = first; id != 0; id = m_chord.NextPosition(id)) {
            QSet<int> heard;
            for (int16_t s = 1; s <= 6; ++s) {
                const int16_t f = m_chord.Flat(id, s);
                if (f >= 0) {
                    heard << (open[s] + f) % 12;
                }
                // A barre may not cover an open or muted string.
                const int16_t multi = m_chord.Multi(id, s);
                for (int16_t k = s + 1; k < s + multi; ++k) {
                    QVERIFY2(m_chord.Flat(id, k) >= f, qPrintable(name));
                }
            }
            QVERIFY2(heard == want, qPrintable(QStringLiteral("%1 position %2").arg(name).arg(id)));
            ++checked;
        }
    }
    QVERIFY(checked > 400);
}

void TestPositionIni::coverage_data() {
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<int>("minimum");
    for (const char *s : {"", "m", "7", "M7", "m7"}) {
        QTest::newRow(*s ? s : "major") << QString(s) << 2;
    }
    for (const char *s : {"m7-5", "dim", "aug", "sus4", "7sus4", "6", "m6", "add9", "9", "mM7"}) {
        QTest::newRow(s) << QString(s) << 1;
    }
}

void TestPositionIni::coverage() {
    QFETCH(QString, suffix);
    QFETCH(int, minimum);
    for (const QString &root : kRoots) {
        const int16_t id = m_chord.SearchPosition(root + suffix);
        QVERIFY2(m_chord.PositionSize(id) >= minimum, qPrintable(root + suffix));
    }
    QCOMPARE(m_chord.SearchPosition("Db" + suffix), m_chord.SearchPosition("C#" + suffix));
    QCOMPARE(m_chord.SearchPosition("Bb" + suffix), m_chord.SearchPosition("A#" + suffix));
    QCOMPARE(m_chord.SearchPosition("Cmaj7"), m_chord.SearchPosition("CM7"));
}

QTEST_APPLESS_MAIN(TestPositionIni)
#include "tst_positionini.moc"
