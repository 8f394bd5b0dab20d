// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InstanceProtocol.h"

#include <QTest>

using instanceprotocol::Request;

class TestInstanceProtocol : public QObject {
    Q_OBJECT

private slots:
    void pathsRoundTrip_data();
    void pathsRoundTrip();
    void streamOfBytes();
    void openAt_data();
    void openAt();
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

void TestInstanceProtocol::openAt_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("expected"); // "capo transposed transpose path"; "" dropped
    QTest::newRow("capo") << QByteArray("open-at 3 0 0 /a b.txt\n") << "3 0 0 /a b.txt";
    QTest::newRow("transposition") << QByteArray("open-at -1 1 -2 /x\n") << "-1 1 -2 /x";
    QTest::newRow("capo out of range") << QByteArray("open-at 10 0 0 /x\n") << "";
    QTest::newRow("transposition out of range") << QByteArray("open-at 0 1 12 /x\n") << "";
    QTest::newRow("no path") << QByteArray("open-at 0 1 2\n") << "";
    QTest::newRow("not a number") << QByteArray("open-at x 0 0 /x\n") << "";
}

// A sheet asked for at a capo and transposition: sent and taken back, or
// dropped when any field is out of range.
void TestInstanceProtocol::openAt() {
    QFETCH(QByteArray, line);
    QFETCH(QString, expected);
    std::vector<Request> got;
    QVERIFY(instanceprotocol::TakeRequests(line, got));
    if (expected.isEmpty()) {
        QVERIFY(got.empty());
        return;
    }
    QCOMPARE(got.size(), size_t{1});
    const Request &r = got[0];
    QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                 .arg(r.capo)
                 .arg(int(r.transposed))
                 .arg(r.transpose)
                 .arg(r.path),
             expected);
    QByteArray again = instanceprotocol::Encode(r); // and back the same way
    std::vector<Request> back;
    QVERIFY(instanceprotocol::TakeRequests(again, back));
    QCOMPARE(back.at(0).capo, r.capo);
    QCOMPARE(back.at(0).path, r.path);
}

QTEST_GUILESS_MAIN(TestInstanceProtocol)
#include "tst_instanceprotocol.moc"
