// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/Token.h"
#include "platform/AppError.h"

#include <QTest>

// Each token of a line as text:start:end, the byte columns after each step.
static QStringList Split(const QString &line, const QString *separator = nullptr) {
    Token t;
    if (separator) {
        t.SetSeparator(*separator);
    }
    t.SetSource(line);
    QStringList out;
    for (QString s = t.FirstToken(); !s.isEmpty(); s = t.NextToken()) {
        out << QStringLiteral("%1:%2:%3")
                   .arg(s)
                   .arg(t.TokenStartPositionB())
                   .arg(t.TokenEndPositionB());
    }
    return out;
}

class TestToken : public QObject {
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void customSeparator();
    void afterLastToken();
    void sourceDoesNotRewind();
    void longLines_data();
    void longLines();
};

void TestToken::split_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("tokens");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("separators only") << " \t\u3000  " << QStringList{};
    QTest::newRow("worked example")
        << "       G        F#dim" << QStringList{"G:8:8", "F#dim:17:21"};
    QTest::newRow("leading and trailing gaps") << "  Am   D7  " << QStringList{"Am:3:4", "D7:8:9"};
    QTest::newRow("double-byte before a token adds two")
        << "あ G" << QStringList{"あ:2:2", "G:4:4"};
    QTest::newRow("token starting double-byte reports its second byte")
        << "Ｃｍ７ G" << QStringList{"Ｃｍ７:2:6", "G:8:8"};
    QTest::newRow("ideographic space is two columns") << "\u3000Em" << QStringList{"Em:3:4"};
    QTest::newRow("half-width katakana one column") << "ｱｲ C" << QStringList{"ｱｲ:1:2", "C:4:4"};
    QTest::newRow("bar is not a default separator") << "C|G" << QStringList{"C|G:1:3"};
}

void TestToken::split() {
    QFETCH(QString, line);
    QFETCH(QStringList, tokens);
    QCOMPARE(Split(line), tokens);
}

void TestToken::customSeparator() {
    const QString sep = QStringLiteral(" \t\u3000|\uFF5C\u2503");
    QCOMPARE(Split("Am  |  D7  ｜ G", &sep), (QStringList{"Am:1:2", "D7:8:9", "G:15:15"}));
    const QString none;
    QCOMPARE(Split("a b", &none), QStringList{"a b:1:3"});
}

void TestToken::afterLastToken() {
    Token t;
    t.SetSource("  C  Em ");
    QCOMPARE(t.FirstToken(), QString("C"));
    QCOMPARE(t.NextToken(), QString("Em"));
    QCOMPARE(t.NextToken(), QString());
    QCOMPARE(t.NextToken(), QString());
    QCOMPARE(t.TokenStartPositionB(), int16_t(6));
    QCOMPARE(t.TokenEndPositionB(), int16_t(7));
    QCOMPARE(t.FirstToken(), QString("C")); // FirstToken starts over
}

void TestToken::sourceDoesNotRewind() {
    Token t;
    t.SetSource("A B C");
    QCOMPARE(t.FirstToken(), QString("A"));
    t.SetSource("X Y Z");
    QCOMPARE(t.NextToken(), QString("Y"));
    // A shorter line under a stale position neither crashes nor reads past the end.
    t.SetSource("Q");
    QCOMPARE(t.NextToken(), QString());
    QCOMPARE(t.TokenStartPositionB(), int16_t(1));
    QCOMPARE(t.TokenEndPositionB(), int16_t(1));
}

void TestToken::longLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("fails");
    QTest::newRow("32767 characters") << QString(32766, u' ') + u'G' << false;
    QTest::newRow("32768 characters") << QString(32767, u' ') + u'G' << true;
    QTest::newRow("columns past 32767 bytes")
        << QString(20000, QChar(0x3042)) + QStringLiteral(" G") << true;
}

void TestToken::longLines() {
    QFETCH(QString, line);
    QFETCH(bool, fails);
    try {
        Token t;
        t.SetSource(line);
        QString last;
        for (QString s = t.FirstToken(); !s.isEmpty(); s = t.NextToken()) {
            last = s;
        }
        QCOMPARE(last, QString("G"));
        const int16_t start = t.TokenStartPositionB();
        QVERIFY(!fails);
        QCOMPARE(start, int16_t(32767));
        QCOMPARE(t.TokenEndPositionB(), int16_t(32767));
    } catch (const AppError &e) {
        QVERIFY2(fails, qPrintable(e.Description()));
        QCOMPARE(e.Number(), 6);
        QVERIFY(e.Description().contains(QStringLiteral("32767")));
    }
}

QTEST_APPLESS_MAIN(TestToken)
#include "tst_token.moc"
