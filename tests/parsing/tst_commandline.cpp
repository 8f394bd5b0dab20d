// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/CommandLine.h"

#include <QTest>

Q_DECLARE_METATYPE(commandline::Action)

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
};

void TestCommandLine::parse_data() {
    using commandline::Action;
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message"); // a part of it; empty: none
    QTest::addColumn<QString>("start");   // "capo transpose pdf"; empty: none given
    QTest::newRow("nothing") << QStringList{} << Action::Run << ""
                             << ""
                             << "";
    QTest::newRow("a file") << QStringList{"a.txt"} << Action::Run << "a.txt"
                            << ""
                            << "";
    QTest::newRow("-- then a dash name")
        << QStringList{"--", "-name.txt"} << Action::Run << "-name.txt"
        << ""
        << "";
    QTest::newRow("-- then --version is a file")
        << QStringList{"--", "--version"} << Action::Run << "--version"
        << ""
        << "";
    QTest::newRow("second -- is a file") << QStringList{"--", "--"} << Action::Run << "--"
                                         << ""
                                         << "";
    QTest::newRow("lone dash is a file") << QStringList{"-"} << Action::Run << "-"
                                         << ""
                                         << "";
    QTest::newRow("dash name without --") << QStringList{"-name.txt"} << Action::Refuse << ""
                                          << "-name.txt"
                                          << "";
    QTest::newRow("unknown long option") << QStringList{"a.txt", "--bogus"} << Action::Refuse << ""
                                         << "--bogus"
                                         << "";
    QTest::newRow("version after a file")
        << QStringList{"a.txt", "--version"} << Action::Version << ""
        << "a.txt"
        << "";
    QTest::newRow("help before a file") << QStringList{"-h", "a.txt"} << Action::Help << ""
                                        << "a.txt"
                                        << "";
    QTest::newRow("first of help and version")
        << QStringList{"--version", "--help"} << Action::Version << ""
        << ""
        << "";
    QTest::newRow("two files") << QStringList{"a.txt", "b.txt"} << Action::Refuse << ""
                               << "2"
                               << "";
    QTest::newRow("two files around --") << QStringList{"a.txt", "--", "-b"} << Action::Refuse << ""
                                         << "2"
                                         << "";
    QTest::newRow("empty name") << QStringList{""} << Action::Refuse << ""
                                << "空"
                                << "";
    QTest::newRow("Japanese name") << QStringList{"曲.txt"} << Action::Run << "曲.txt"
                                   << ""
                                   << "";
    // Where a sheet starts, and the PDF export.
    QTest::newRow("capo and transpose")
        << QStringList{"--capo", "3", "--transpose=-2", "a.txt"} << Action::Run << "a.txt"
        << ""
        << "3 -2 ";
    QTest::newRow("pdf") << QStringList{"--pdf", "o.pdf", "a.txt"} << Action::Run << "a.txt"
                         << ""
                         << "-1 0 o.pdf";
    QTest::newRow("capo out of range")
        << QStringList{"--capo", "10", "a.txt"} << Action::Refuse << ""
        << "--capo"
        << "";
    QTest::newRow("capo without a value") << QStringList{"a.txt", "--capo"} << Action::Refuse << ""
                                          << "--capo"
                                          << "";
    QTest::newRow("transpose not a number")
        << QStringList{"--transpose", "up", "a.txt"} << Action::Refuse << ""
        << "--transpose"
        << "";
    QTest::newRow("pdf without a sheet") << QStringList{"--pdf", "o.pdf"} << Action::Refuse << ""
                                         << "--pdf"
                                         << "";
    QTest::newRow("-- ends the options") << QStringList{"--", "--capo"} << Action::Run << "--capo"
                                         << ""
                                         << "";
}

void TestCommandLine::parse() {
    QFETCH(QStringList, args);
    QFETCH(commandline::Action, action);
    QFETCH(QString, file);
    QFETCH(QString, message);
    QFETCH(QString, start);
    QList<QByteArray> bytes;
    for (const QString &a : args) {
        bytes += a.toUtf8();
    }
    const commandline::Parsed parsed = commandline::Parse(bytes);
    QCOMPARE(parsed.action, action);
    QCOMPARE(parsed.file, file);
    QVERIFY2(message.isEmpty() ? parsed.message.isEmpty() : parsed.message.contains(message),
             qPrintable(parsed.message));
    if (!start.isEmpty()) {
        QCOMPARE(QStringLiteral("%1 %2 %3")
                     .arg(parsed.capo)
                     .arg(parsed.transposed ? parsed.transpose : 0)
                     .arg(parsed.pdf),
                 start);
    }
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
