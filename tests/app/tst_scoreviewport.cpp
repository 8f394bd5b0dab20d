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

QTEST_APPLESS_MAIN(TestScoreViewport)
#include "tst_scoreviewport.moc"
