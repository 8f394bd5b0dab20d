#include "score/ScoreLayout.h"

#include <QTest>

#include <vector>

using Box = ScoreLayout::Box;
using Place = ScoreLayout::Place;
Q_DECLARE_METATYPE(std::vector<Box>)
Q_DECLARE_METATYPE(std::vector<Place>)
Q_DECLARE_METATYPE(std::vector<int32_t>)

bool operator==(const Place &a, const Place &b) {
    return a.Left == b.Left && a.Top == b.Top && a.Bottom == b.Bottom;
}

char *toString(const Place &p) {
    return QTest::toString(QStringLiteral("{%1, %2, %3}").arg(p.Left).arg(p.Top).arg(p.Bottom));
}

class TestScoreLayout : public QObject {
    Q_OBJECT

private slots:
    void arrange_data();
    void arrange();
};

// Every figure worked out by hand: margins of 80 twips around each page
// column, rows bottom-aligned, a new page column when a row would come
// closer than the margin to the fixed height.
void TestScoreLayout::arrange_data() {
    QTest::addColumn<std::vector<Box>>("boxes");
    QTest::addColumn<int32_t>("fixHeight");
    QTest::addColumn<std::vector<Place>>("places");
    QTest::addColumn<std::vector<int32_t>>("separators");
    QTest::addColumn<int32_t>("width");
    QTest::addColumn<int32_t>("height");

    QTest::newRow("empty") << std::vector<Box>{} << 0 << std::vector<Place>{}
                           << std::vector<int32_t>{} << 0 << 160;
    QTest::newRow("one row, bottom-aligned") << std::vector<Box>{{100, 200, 1}, {50, 300, 1}} << 0
                                             << std::vector<Place>{{80, 180, 380}, {180, 80, 380}}
                                             << std::vector<int32_t>{} << 310 << 460;
    QTest::newRow("two rows, widest sets the width")
        << std::vector<Box>{{100, 200, 1}, {60, 100, 2}, {40, 150, 2}} << 0
        << std::vector<Place>{{80, 80, 280}, {80, 330, 430}, {140, 280, 430}}
        << std::vector<int32_t>{} << 260 << 510;
    QTest::newRow("page columns") << std::vector<Box>{{100, 200, 1}, {120, 200, 2}, {90, 200, 3}}
                                  << 500
                                  << std::vector<Place>{{80, 80, 280},
                                                        {340, 80, 280},
                                                        {620, 80, 280}}
                                  << std::vector<int32_t>{260, 540} << 790 << 500;
    QTest::newRow("two rows fit one page exactly")
        << std::vector<Box>{{100, 170, 1}, {120, 170, 2}} << 500
        << std::vector<Place>{{80, 80, 250}, {80, 250, 420}} << std::vector<int32_t>{} << 280
        << 500;
    QTest::newRow("row taller than the page starts a column of its own")
        << std::vector<Box>{{100, 400, 1}} << 300 << std::vector<Place>{{240, 80, 480}}
        << std::vector<int32_t>{160} << 420 << 300;
    QTest::newRow("cells after a missing row are left out")
        << std::vector<Box>{{100, 200, 1}, {70, 200, 3}} << 0
        << std::vector<Place>{{80, 80, 280}, {0, 0, 0}} << std::vector<int32_t>{} << 260 << 360;
    QTest::newRow("row 0 and rows past the cell count are left out")
        << std::vector<Box>{{30, 45, 0}, {100, 200, 1}, {70, 200, 9}} << 0
        << std::vector<Place>{{0, 0, 0}, {80, 80, 280}, {0, 0, 0}} << std::vector<int32_t>{} << 260
        << 360;
}

void TestScoreLayout::arrange() {
    QFETCH(std::vector<Box>, boxes);
    QFETCH(int32_t, fixHeight);
    QFETCH(std::vector<Place>, places);
    QFETCH(std::vector<int32_t>, separators);
    QFETCH(int32_t, width);
    QFETCH(int32_t, height);
    const ScoreLayout layout = ScoreLayout::Arrange(boxes, fixHeight);
    QCOMPARE(layout.Places().size(), places.size());
    for (size_t k = 0; k < places.size(); ++k) {
        QCOMPARE(layout.Places()[k], places[k]);
    }
    QCOMPARE(layout.SeparatorX(), separators);
    QCOMPARE(layout.Width(), width);
    QCOMPARE(layout.Height(), height);
}

QTEST_APPLESS_MAIN(TestScoreLayout)
#include "tst_scorelayout.moc"
