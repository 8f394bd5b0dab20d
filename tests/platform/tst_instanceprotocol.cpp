#include "platform/InstanceProtocol.h"

#include <QTest>

using instanceprotocol::Request;

class TestInstanceProtocol : public QObject {
    Q_OBJECT

private slots:
    void pathsRoundTrip_data();
    void pathsRoundTrip();
    void streamOfBytes();
};

void TestInstanceProtocol::pathsRoundTrip_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "/home/u/a.txt";
    QTest::newRow("Japanese") << "/home/u/曲/ふるさと.txt";
    QTest::newRow("line feed") << "/tmp/a\nb.txt";
    QTest::newRow("CR and tab") << "/tmp/a\r\tb";
    QTest::newRow("percent signs") << "/tmp/100%25 real%.txt";
    QTest::newRow("leading dash") << "/tmp/-name.txt";
}

// Whatever the path, it arrives as it was sent, as one request.
void TestInstanceProtocol::pathsRoundTrip() {
    QFETCH(QString, path);
    QByteArray wire = instanceprotocol::Encode({Request::Kind::Open, path});
    QCOMPARE(wire.count('\n'), 1);
    std::vector<Request> got;
    QVERIFY(instanceprotocol::TakeRequests(wire, got));
    QCOMPARE(got.size(), size_t{1});
    QCOMPARE(got[0].kind, Request::Kind::Open);
    QCOMPARE(got[0].path, path);
    QVERIFY(wire.isEmpty());
}

// Lines arrive in pieces; what is unknown, empty or holds a NUL is dropped;
// a peer sending an endless line is cut off.
void TestInstanceProtocol::streamOfBytes() {
    QByteArray wire = "activ";
    std::vector<Request> got;
    QVERIFY(instanceprotocol::TakeRequests(wire, got));
    QVERIFY(got.empty());
    wire += "ate\nhello\nopen \nopen /a%00b\nopen /x";
    QVERIFY(instanceprotocol::TakeRequests(wire, got));
    QCOMPARE(got.size(), size_t{1});
    QCOMPARE(got[0].kind, Request::Kind::Activate);
    QCOMPARE(wire, QByteArray("open /x"));
    wire += ".txt\n";
    QVERIFY(instanceprotocol::TakeRequests(wire, got));
    QCOMPARE(got.back().path, QString("/x.txt"));
    QByteArray endless(instanceprotocol::MaxLineBytes + 1, 'x');
    QVERIFY(!instanceprotocol::TakeRequests(endless, got));
}

QTEST_GUILESS_MAIN(TestInstanceProtocol)
#include "tst_instanceprotocol.moc"
