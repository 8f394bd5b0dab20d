// SPDX-License-Identifier: GPL-3.0-or-later
// The chord-symbol reader, checked against chord facts.
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

QTEST_APPLESS_MAIN(TestChordSymbol)
#include "tst_chordsymbol.moc"
