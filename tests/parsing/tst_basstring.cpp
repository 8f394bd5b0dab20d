// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/Text.h"
#include "parsing/basPath.h"
#include "parsing/basString.h"
#include "platform/AppError.h"

#include <QTest>

class TestBasString : public QObject {
    Q_OBJECT

private slots:
    void replaceString_data();
    void replaceString();
    void trim_data();
    void trim();
    void byteClasses();
    void expandTab_data();
    void expandTab();
    void expandTabTooLong();
    void wideSpace();
    void paths_data();
    void paths();
    void textLines_data();
    void textLines();
    void removeLastCrLf_data();
    void removeLastCrLf();
};

void TestBasString::replaceString_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("maj to M") << "Cmaj7"
                              << "maj"
                              << "M"
                              << "CM7";
    QTest::newRow("every occurrence") << "majmaj"
                                      << "maj"
                                      << "M"
                                      << "MM";
    QTest::newRow("none") << "Cm7"
                          << "maj"
                          << "M"
                          << "Cm7";
    QTest::newRow("case-sensitive") << "CMAJ7"
                                    << "maj"
                                    << "M"
                                    << "CMAJ7";
    QTest::newRow("wide space") << "a\u3000b\u3000"
                                << "\u3000"
                                << "  "
                                << "a  b  ";
    QTest::newRow("shrinking overlap") << "aaa"
                                       << "aa"
                                       << "a"
                                       << "aa";
}

void TestBasString::replaceString() {
    QFETCH(QString, source);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QCOMPARE(basString::ReplaceString(source, find, replacement), expected);
}

void TestBasString::trim_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("both");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    const QString nul(QChar(0));
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << "";
    QTest::newRow("all blanks") << QString(" \t\u3000") + nul << ""
                                << ""
                                << "";
    QTest::newRow("every blank kind")
        << QString("\u3000 a b\t") + nul << "a b" << QString("a b\t") + nul << "\u3000 a b";
    QTest::newRow("inner blanks stay") << "a \u3000 b"
                                       << "a \u3000 b"
                                       << "a \u3000 b"
                                       << "a \u3000 b";
    QTest::newRow("other spaces are not blank") << "\u00A0x\r\n"
                                                << "\u00A0x\r\n"
                                                << "\u00A0x\r\n"
                                                << "\u00A0x\r\n";
}

void TestBasString::trim() {
    QFETCH(QString, text);
    QFETCH(QString, both);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QCOMPARE(basString::TrimBlank(text), both);
    QCOMPARE(basString::TrimBlankLeft(text), left);
    QCOMPARE(basString::TrimBlankRight(text), right);
}

void TestBasString::byteClasses() {
    for (int b = 0; b < 256; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF);
        const bool trail = b >= 0x40 && b <= 0xFC && b != 0x7F;
        QCOMPARE(basString::IsLeadByte(static_cast<uint8_t>(b)), lead);
        QCOMPARE(basString::IsTrailByte(static_cast<uint8_t>(b)), trail);
    }
}

void TestBasString::expandTab_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("expected");
    QTest::newRow("tab at column 0") << "\tG" << 4 << "    G";
    QTest::newRow("after a double-byte char") << "あ\tG" << 4 << "あ  G";
    QTest::newRow("to the next stop") << "abc\td" << 4 << "abc d";
    QTest::newRow("on a stop") << "abcd\te" << 4 << "abcd    e";
    QTest::newRow("several tabs") << "\t\tA\tB" << 4 << "        A   B";
    QTest::newRow("tab size 1") << "a\t\tb" << 1 << "a  b";
    QTest::newRow("tab size 8") << "ab\tc" << 8 << "ab      c";
    QTest::newRow("half-width katakana is one column") << "ｱ\tx" << 4 << "ｱ   x";
    QTest::newRow("no tab") << "そして ケンカし" << 4 << "そして ケンカし";
    QTest::newRow("unrepresentable becomes ?") << "é\t" << 4 << "?   ";
    QTest::newRow("tab size 0 counts as 1") << "a\tb" << 0 << "a b";
    QTest::newRow("negative tab size counts as 1") << "\tb" << -4 << " b";
}

void TestBasString::expandTab() {
    QFETCH(QString, text);
    QFETCH(int, tab);
    QFETCH(QString, expected);
    QCOMPARE(basString::ExpandTab(text, static_cast<int16_t>(tab)), expected);
}

void TestBasString::expandTabTooLong() {
    try {
        basString::ExpandTab(QString(3000, u'\t'), 32000);
        QFAIL("expected error 6");
    } catch (const AppError &e) {
        QCOMPARE(e.Number(), 6);
        QVERIFY(!e.Description().isEmpty());
    }
}

void TestBasString::wideSpace() {
    QCOMPARE(basString::WideSpaceToSpaces("\u3000"), QString("  "));
    QCOMPARE(basString::WideSpaceToSpaces("a\u3000\u3000b"), QString("a    b"));
    QCOMPARE(basString::WideSpaceToSpaces("a b"), QString("a b"));
}

void TestBasString::paths_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("withSlash");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("directory");
    QTest::newRow("unix file") << "/opt/t/song.txt"
                               << "/opt/t/song.txt/"
                               << "song.txt"
                               << "/opt/t/";
    QTest::newRow("directory") << "/opt/t"
                               << "/opt/t/"
                               << "t"
                               << "/opt/";
    QTest::newRow("ends in slash") << "/opt/t/"
                                   << "/opt/t/"
                                   << ""
                                   << "/opt/t/";
    QTest::newRow("root") << "/"
                          << "/"
                          << ""
                          << "/";
    QTest::newRow("bare name") << "POSITION.INI"
                               << "POSITION.INI/"
                               << "POSITION.INI"
                               << "POSITION.INI";
    QTest::newRow("windows path") << "C:\\A\\POSITION.INI"
                                  << "C:\\A\\POSITION.INI/"
                                  << "POSITION.INI"
                                  << "C:\\A\\";
    QTest::newRow("windows drive root") << "C:\\"
                                        << "C:\\"
                                        << ""
                                        << "C:\\";
    QTest::newRow("mixed separators") << "/home/u\\x/a.txt"
                                      << "/home/u\\x/a.txt/"
                                      << "a.txt"
                                      << "/home/u\\x/";
    QTest::newRow("empty") << ""
                           << "/"
                           << ""
                           << "";
}

void TestBasString::paths() {
    QFETCH(QString, path);
    QFETCH(QString, withSlash);
    QFETCH(QString, fileName);
    QFETCH(QString, directory);
    QCOMPARE(basPath::AddBackslash(path), withSlash);
    QCOMPARE(basPath::GetFileName(path), fileName);
    QCOMPARE(basPath::GetDirectory(path), directory);
}

void TestBasString::textLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("one letter") << "a" << QStringList{"a"};
    QTest::newRow("letter and two line ends") << "a\r\n\r\n" << QStringList{"a", ""};
    QTest::newRow("no final line end") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("lone CR and LF stay in the line")
        << "a\rb\nc\r\nd" << QStringList{"a\rb\nc", "d"};
    QTest::newRow("empty lines between") << "\r\nx\r\n\r\ny\r\n" << QStringList{"", "x", "", "y"};
}

void TestBasString::textLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    Text t;
    t.SetText(text);
    QStringList seen;
    while (!t.EndOfText()) {
        const QString current = t.CurrentLine();
        QCOMPARE(t.CurrentLine(), current); // looking does not move
        QCOMPARE(t.NextLine(), current);
        seen << current;
        QVERIFY(seen.size() <= lines.size());
    }
    QCOMPARE(seen, lines);
    QCOMPARE(t.CurrentLine(), QString());
    QCOMPARE(t.NextLine(), QString());
    QVERIFY(t.EndOfText());
}

void TestBasString::removeLastCrLf_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("only line ends") << "\r\n\r\n\r\n" << QStringList{};
    QTest::newRow("trailing empties") << "a\r\n\r\n\r\n" << QStringList{"a"};
    QTest::newRow("lone LF at the end stays") << "a\n" << QStringList{"a\n"};
    QTest::newRow("CR LF LF") << "a\r\n\n" << QStringList{"a", "\n"};
    QTest::newRow("leading line ends stay") << "\r\na" << QStringList{"", "a"};
}

void TestBasString::removeLastCrLf() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    Text t;
    t.SetText(text);
    t.RemoveLastCrLf();
    QStringList seen;
    while (!t.EndOfText()) {
        seen << t.NextLine();
    }
    QCOMPARE(seen, lines);
}

QTEST_APPLESS_MAIN(TestBasString)
#include "tst_basstring.moc"
