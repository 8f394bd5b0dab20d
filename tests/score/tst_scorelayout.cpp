// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/PrintLayout.h"
#include "score/ScoreLayout.h"
#include "score/SongbookLayout.h"

#include <QTest>

#include <vector>

using Box = ScoreLayout::Box;
using Place = ScoreLayout::Place;
Q_DECLARE_METATYPE(std::vector<Box>)
Q_DECLARE_METATYPE(std::vector<Place>)
Q_DECLARE_METATYPE(std::vector<int32_t>)
Q_DECLARE_METATYPE(std::vector<SongbookLayout::Box>)

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
    void pages_data();
    void pages();
    void songbook_data();
    void songbook();
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

// Rows onto pages: "a b | c" lists the cells (1-based) on each page, "@"
// the cells' left,top. Pages of 300 by 500 twips.
void TestScoreLayout::pages_data() {
    QTest::addColumn<std::vector<Box>>("boxes");
    QTest::addColumn<bool>("pageReturn");
    QTest::addColumn<QString>("pages");
    QTest::addColumn<double>("scale");
    QTest::newRow("all on one page") << std::vector<Box>{{100, 200, 1}, {50, 100, 1}, {120, 200, 2}}
                                     << false << "1@0,0 2@100,100 3@0,200" << 1.0;
    QTest::newRow("a row that does not fit goes to the next page whole")
        << std::vector<Box>{{100, 200, 1}, {100, 200, 2}, {100, 200, 3}, {60, 150, 3}} << false
        << "1@0,0 2@0,200 | 3@0,0 4@100,50" << 1.0;
    QTest::newRow("rows that fill a page exactly")
        << std::vector<Box>{{100, 250, 1}, {100, 250, 2}, {100, 250, 3}} << false
        << "1@0,0 2@0,250 | 3@0,0" << 1.0;
    QTest::newRow("page return: narrow columns share a page")
        << std::vector<Box>{{100, 300, 1}, {100, 300, 2}, {100, 300, 3}} << true
        << "1@0,0 2@160,0 | 3@0,0" << 1.0;
    QTest::newRow("a row taller than the page is scaled, not cut")
        << std::vector<Box>{{100, 1000, 1}, {100, 200, 2}} << false << "1@0,0 | 2@0,0" << 0.5;
    QTest::newRow("a row wider than the page is scaled")
        << std::vector<Box>{{400, 100, 1}, {200, 100, 1}, {100, 100, 2}} << false
        << "1@0,0 2@400,0 3@0,100" << 0.5;
}

void TestScoreLayout::pages() {
    QFETCH(std::vector<Box>, boxes);
    QFETCH(bool, pageReturn);
    QFETCH(QString, pages);
    QFETCH(double, scale);
    const PrintLayout layout = PrintLayout::Arrange(boxes, 300, 500, pageReturn, 60);
    QStringList got;
    for (const PrintLayout::Page &page : layout.Pages()) {
        QStringList cells;
        for (const PrintLayout::Cell &c : page.Cells) {
            cells << QStringLiteral("%1@%2,%3").arg(c.Index + 1).arg(c.Left).arg(c.Top);
        }
        got << cells.join(u' ');
    }
    QCOMPARE(got.join(QStringLiteral(" | ")), pages);
    QCOMPARE(layout.Scale(), scale);
}

// A page 1000 x 500 twips, the first page's lines from 100, columns 100
// apart: cell@left,top, pages apart by "|".
void TestScoreLayout::songbook_data() {
    using B = SongbookLayout::Box;
    QTest::addColumn<std::vector<B>>("boxes");
    QTest::addColumn<QString>("pages");
    QTest::addColumn<double>("scale");
    QTest::newRow("rows in half the width: two columns, a line never cut")
        << std::vector<B>{{200, 100, 1}, {200, 100, 1}, {300, 100, 2}, {300, 100, 3},
                          {300, 100, 4}, {300, 150, 5}, {300, 100, 6}}
        << "1@0,100 2@200,100 3@0,200 4@0,300 5@0,400 6@550,100 7@550,250" << 1.0;
    QTest::newRow("wider rows: one column, the next page from its top")
        << std::vector<B>{{600, 200, 1}, {600, 200, 2}, {300, 100, 3}} << "1@0,100 2@0,300 | 3@0,0"
        << 1.0;
    QTest::newRow("two columns made smaller save a page")
        << std::vector<B>{{500, 80, 1}, {500, 80, 2}, {500, 80, 3},
                          {500, 80, 4}, {500, 80, 5}, {500, 80, 6}}
        << "1@0,111 2@0,191 3@0,271 4@0,351 5@0,431 6@611,111" << 0.9;
    QTest::newRow("a row wraps at a cell's edge in two columns")
        << std::vector<B>{{300, 100, 1}, {300, 100, 1}, {100, 100, 2}, {100, 100, 3},
                          {100, 100, 4}, {100, 100, 5}, {100, 100, 6}}
        << "1@0,125 2@0,225 3@0,325 4@0,425 5@0,525 6@687,125 7@687,225" << 0.8;
    QTest::newRow("a cell wider than a column keeps one column")
        << std::vector<B>{{900, 100, 1}, {900, 100, 2}} << "1@0,100 2@0,200" << 1.0;
}

void TestScoreLayout::songbook() {
    QFETCH(std::vector<SongbookLayout::Box>, boxes);
    QFETCH(QString, pages);
    QFETCH(double, scale);
    const SongbookLayout layout = SongbookLayout::Arrange(boxes, 1000, 500, 100, 100, 0);
    QStringList got;
    int page = 0;
    for (const SongbookLayout::Cell &c : layout.Cells()) {
        got << (c.Page != page ? QStringLiteral("| ") : QString()) +
                   QStringLiteral("%1@%2,%3").arg(c.Index + 1).arg(c.Left).arg(c.Top);
        page = c.Page;
    }
    QCOMPARE(got.join(u' '), pages);
    QCOMPARE(layout.PageCount(), page + 1);
    QCOMPARE(layout.Scale(), scale);
}

QTEST_APPLESS_MAIN(TestScoreLayout)
#include "tst_scorelayout.moc"
