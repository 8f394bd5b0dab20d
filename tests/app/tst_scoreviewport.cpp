// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AutoScroll.h"
#include "app/ScoreViewport.h"

#include <QTest>

#include <limits>

class TestScoreViewport : public QObject {
    Q_OBJECT

private slots:
    void layOut_data();
    void layOut();
    void stepped_data();
    void stepped();
    void revealed_data();
    void revealed();
    void autoScroll_data();
    void autoScroll();
    void turnedColumn_data();
    void turnedColumn();
};

// A client of 400 by 300 pixels (6000 by 4500 twips) with bars of 240 twips
// (16 pixels) leaves a viewport of 384 by 284 pixels: 5760 by 4260 twips.
void TestScoreViewport::layOut_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("scoreWidth");
    QTest::addColumn<int>("scoreHeight");
    QTest::addColumn<bool>("pageReturn");
    QTest::addColumn<bool>("hOn");
    QTest::addColumn<int>("hMax");
    QTest::addColumn<bool>("vOn");
    QTest::addColumn<int>("vMax");

    const QSize c(400, 300);
    QTest::newRow("wide score") << c << 10000 << 3000 << false << true << 424 << false << 0;
    QTest::newRow("tall score") << c << 3000 << 9000 << false << false << 0 << true << 474;
    QTest::newRow("exact fit scrolls nowhere")
        << c << 5760 << 4260 << false << true << 0 << true << 0;
    QTest::newRow("one twip short of the view")
        << c << 5759 << 4259 << false << false << 0 << false << 0;
    QTest::newRow("page return: no vertical bar")
        << c << 3000 << 9000 << true << false << 0 << false << 0;
    QTest::newRow("half units round to even")
        << c << 5765 << 4275 << false << true << 0 << true << 2;
}

void TestScoreViewport::layOut() {
    QFETCH(QSize, client);
    QFETCH(int, scoreWidth);
    QFETCH(int, scoreHeight);
    QFETCH(bool, pageReturn);
    const scoreviewport::ViewLayout l =
        scoreviewport::LayOut(client, 240, scoreWidth, scoreHeight, pageReturn);
    QVERIFY(l.Valid);
    QCOMPARE(l.View, QRect(0, 0, 384, 284));
    QCOMPARE(l.HorizontalBar, QRect(0, 284, 384, 16));
    QCOMPARE(l.VerticalBar, QRect(384, 0, 16, 284));
    QTEST(l.HorizontalEnabled, "hOn");
    QTEST(l.HorizontalMaximum, "hMax");
    QTEST(l.VerticalEnabled, "vOn");
    QTEST(l.VerticalMaximum, "vMax");
    // Too small to hold the bars: nothing is placed.
    QVERIFY(!scoreviewport::LayOut(QSize(16, 300), 240, 1, 1, false).Valid);
    QVERIFY(!scoreviewport::LayOut(QSize(300, 16), 240, 1, 1, false).Valid);
}

void TestScoreViewport::stepped_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<qint64>("delta");
    QTest::addColumn<int>("expected");
    constexpr int kMax = std::numeric_limits<int>::max();
    QTest::newRow("down") << 10 << 100 << qint64(30) << 40;
    QTest::newRow("up to the top") << 10 << 100 << qint64(-30) << 0;
    QTest::newRow("held at the end") << 90 << 100 << qint64(30) << 100;
    QTest::newRow("huge step does not wrap") << 5 << kMax << qint64(kMax) * 4 << kMax;
    QTest::newRow("huge step up") << kMax << kMax << -qint64(kMax) * 4 << 0;
}

void TestScoreViewport::stepped() {
    QFETCH(int, value);
    QFETCH(int, maximum);
    QFETCH(qint64, delta);
    QTEST(scoreviewport::Stepped(value, 0, maximum, delta), "expected");
}

// Page columns at 0, 300, 600 and 900 px, each 280 wide; a view 500 wide.
void TestScoreViewport::turnedColumn_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("expected");
    QTest::newRow("the column the right edge cuts") << 0 << true << 300;
    QTest::newRow("and the next") << 300 << true << 600;
    QTest::newRow("the last column") << 600 << true << 900;
    QTest::newRow("nothing beyond the last") << 900 << true << 900;
    QTest::newRow("back a view") << 900 << false << 600;
    QTest::newRow("back from between columns") << 450 << false << 0;
    QTest::newRow("back at the start") << 0 << false << 0;
}

void TestScoreViewport::turnedColumn() {
    QFETCH(int, left);
    QFETCH(bool, forward);
    QFETCH(int, expected);
    QCOMPARE(scoreviewport::TurnedColumn({0, 300, 600, 900}, left, 500, forward), expected);
}

void TestScoreViewport::autoScroll_data() {
    QTest::addColumn<bool>("pages");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("tickMs");
    QTest::addColumn<int>("untilMs");
    QTest::addColumn<int>("userAt"); // -1: the user does not scroll
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("ended");
    // Scroll units are 10 twips: a pixel is 1.5 of them.
    QTest::newRow("speed 3, a second")
        << false << 3 << 100 << 50 << 1000 << -1 << 1000 << 18 << false;
    QTest::newRow("speed 1") << false << 1 << 100 << 50 << 1000 << -1 << 1000 << 9 << false;
    QTest::newRow("speed 9 at 200%")
        << false << 9 << 200 << 16 << 992 << -1 << 1000 << 148 << false;
    QTest::newRow("60 Hz ticks") << false << 3 << 100 << 16 << 2000 << -1 << 1000 << 36 << false;
    QTest::newRow("a late tick moves no more than 100 ms")
        << false << 3 << 100 << 500 << 500 << -1 << 1000 << 1 << false;
    // 450 ms before (8 units), then from 2000 on (18): the pause drops the carry.
    QTest::newRow("the user's scroll pauses 1.5 s")
        << false << 3 << 100 << 50 << 3000 << 500 << 1000 << 26 << false;
    QTest::newRow("stops at the end") << false << 9 << 100 << 50 << 2000 << -1 << 40 << 40 << true;
    QTest::newRow("nothing to scroll") << false << 3 << 100 << 50 << 50 << -1 << 0 << 0 << true;
    // Page columns at 0, 300 and 600 units; speed 9 turns a page every 6 s.
    QTest::newRow("pages: waits") << true << 9 << 100 << 100 << 5900 << -1 << 700 << 0 << false;
    QTest::newRow("pages: turns") << true << 9 << 100 << 100 << 6000 << -1 << 700 << 300 << false;
    // Paused from 5000 to 6500: the 6 s count from the last paused tick.
    QTest::newRow("pages: user restarts the wait")
        << true << 9 << 100 << 100 << 12300 << 5000 << 700 << 0 << false;
    QTest::newRow("pages: then turns")
        << true << 9 << 100 << 100 << 12400 << 5000 << 700 << 300 << false;
    QTest::newRow("pages: the last one ends it")
        << true << 9 << 100 << 100 << 18000 << -1 << 700 << 600 << true;
}

// A fake clock drives it from 0, one tick every tickMs up to untilMs.
void TestScoreViewport::autoScroll() {
    QFETCH(bool, pages);
    QFETCH(int, speed);
    QFETCH(int, zoom);
    QFETCH(int, tickMs);
    QFETCH(int, untilMs);
    QFETCH(int, userAt);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(bool, ended);
    AutoScroll a;
    a.SetSpeed(speed);
    a.Start(0);
    const std::vector<int> columns{0, 300, 600};
    int at = 0;
    AutoScroll::Move m;
    for (int now = tickMs; now <= untilMs && a.Running(); now += tickMs) {
        if (userAt >= 0 && now - tickMs < userAt && userAt <= now) {
            a.UserScrolled(userAt);
        }
        m = pages ? a.Pages(now, at, maximum, columns)
                  : a.Smooth(now, at, maximum, AutoScroll::UnitsPerSecond(speed, zoom));
        at = m.Value;
    }
    QCOMPARE(at, value);
    QCOMPARE(m.Ended, ended);
    QCOMPARE(a.Running(), !ended);
}

// A value counts 10 twips, 2/3 of a pixel: a view at value 30 starts at 20 px.
void TestScoreViewport::revealed_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("top"); // the view's first pixel afterwards
    QTest::newRow("in view: no move") << 30 << 40 << 100 << 20;
    QTest::newRow("below: its bottom at the view's") << 30 << 150 << 250 << 50;
    QTest::newRow("above: its top at the view's") << 300 << 40 << 60 << 40;
    QTest::newRow("taller than the view: its top") << 0 << 100 << 400 << 100;
}

// A view 200 pixels high.
void TestScoreViewport::revealed() {
    QFETCH(int, value);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, top);
    QCOMPARE(-scoreviewport::ScoreOffset(scoreviewport::Revealed(value, from, to, 200)), top);
}

QTEST_APPLESS_MAIN(TestScoreViewport)
#include "tst_scoreviewport.moc"
